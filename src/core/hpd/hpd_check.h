#pragma once
// The validation report users ask for before sending data to the scanner: every value that
// reading a file and saving it again would change, field by field. Identifier fields (the
// "...Id=" links, renumbered by store position on every save) are counted, not listed.
#include <filesystem>
#include <string>
#include <vector>

namespace tarvex {

class SystemStore;
class GroupFiles;

struct CheckChange {
    std::string file;
    long long line = 0;   // 1-based line of the file
    std::string kind;     // "C-Freq", "Site", ...
    std::string field;    // "Mode", "Alert Tone", ...
    std::string as_read;  // value in the file ("" when the file lacks the field)
    std::string as_written;
};

struct CheckReport {
    std::vector<CheckChange> changes;
    long long identifiers_renumbered = 0;
    // Lines of known kinds that saving would not write (no system or group to hold them, an
    // unknown trunked type, a full store), as "file:line: kind".
    std::vector<std::string> dropped;
    // Lines saving would add that the files did not have (a default bandplan, ...).
    std::vector<std::string> added;
    // Why reading stopped early ("file:line: ..."); the report then covers only what was read.
    std::string problem;
    bool any() const {
        return !changes.empty() || !dropped.empty() || !added.empty() || !problem.empty();
    }
};

// Reads the files in order into the given (empty) store and compares each line with the line
// saving would write for the same record.
CheckReport check_hpd_files(const std::vector<std::filesystem::path>& files_in, uint16_t flags,
                            SystemStore& store, GroupFiles& files);

// The name of field n of an HPD line of the given kind ("field n" when it has none).
std::string hpd_field_name(std::string_view kind, size_t n);

}  // namespace tarvex
