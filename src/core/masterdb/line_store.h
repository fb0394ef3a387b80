#pragma once
// The master-database window's line store: every line of one state file (or any HPD file),
// "," made ";" and tabs made ",", in file order under a key of kind prefix and running
// numbers, and the systems list built from its system lines. Ticked systems are imported by
// writing their lines to "import.hpd" and reading that with the HPD reader, so every rule of
// the reader applies to them.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/hpd/hpd_reader.h"

namespace tarvex {

class SystemStore;
class GroupFiles;
class Progress;
class Prompter;

enum class LineKind : uint8_t {
    Conventional,
    Trunk,
    CGroup,
    CFreq,
    TGroup,
    Tgid,
    Site,
    FleetMap,
    BandPlanMot,
    TFreq,
    Dummy
};

// The key prefix of a kind: "SYSC-", "SYST-", "CGRP-", ..., "DUMM-".
std::string_view key_prefix(LineKind kind);
// The kind of a stored line (tabs already ","); false for the kinds that are not stored
// ("TargetModel", "AreaState", "AreaCounty", "Rectangle", "FormatVersion", "BandPlan_P25").
bool classify_line(std::string_view line, LineKind& kind);

struct StoredLine {
    std::string key;
    std::string text;  // "," as ";", tabs as ","
    LineKind kind = LineKind::Dummy;
};

struct SystemRow {
    size_t line = 0;          // index of the system line in lines()
    size_t end = 0;           // one past its last line (the next system line or the end)
    std::string text;         // "Conventional: " + name, "Trunk: " + name + " / " + type
    std::string kind;         // "Conventional" or "Trunk"
    std::string first_group;  // name of its first group
    std::string data;         // what it holds: "3 groups, 40 channels", ...
    bool ticked = false;
};

inline constexpr std::string_view k_import_file = "import.hpd";

class MasterLineStore {
  public:
    // Clears the lists, then reads the file; false (lists left empty) when it cannot be opened.
    bool load(const std::filesystem::path& file, Progress& progress);
    void clear();

    const std::vector<StoredLine>& lines() const { return lines_; }
    const std::vector<SystemRow>& systems() const { return systems_; }
    void tick(size_t row, bool on);
    bool any_ticked() const;

    // Indexes of the lines to import: every line of every ticked system in store order,
    // "DUMM-" lines never.
    std::vector<size_t> ticked_lines() const;
    // Writes "import.hpd" in `folder`: the source file's header lines, then the ticked lines
    // with their commas turned back into tabs. False when nothing is ticked or writing failed.
    bool write_import_file(const std::filesystem::path& folder, Prompter& prompter) const;
    // Writes "import.hpd" in the group files' folder and reads it into the store (appending,
    // under new system indexes). Not opened when nothing was ticked.
    ReadStats import(SystemStore& store, GroupFiles& files, Prompter& prompter,
                     Progress& progress) const;

  private:
    void finish_system(SystemRow& row, int groups, int channels, int talkgroups, int sites) const;

    std::vector<StoredLine> lines_;
    std::vector<SystemRow> systems_;
    std::string format_line_;  // the file's own "FormatVersion" line: the reader needs it
};

// The system's name on a stored system line ("Conventional,CountyId=1,StateId=6,Alameda,...":
// "Alameda"), its commas given back; empty for a line without one.
std::string system_name_of(std::string_view stored_line);
// Whether a systems-list row shows the filter text in its name, type or first group (case
// not mattering); an empty or blank filter shows every row.
bool row_matches_filter(const SystemRow& row, std::string_view name, std::string_view filter);
// A stored line as people read the file's line: its fields between " | ", commas given back.
std::string line_for_people(std::string_view stored_line);

// What imports brought in, added up over several (one per state).
struct ImportCounts {
    int systems = 0, groups = 0;
    long long channels = 0, talkgroups = 0;
    void add(const ReadStats& stats);
};
// "Imported 2 systems, 5 groups, 40 channels and 12 talkgroups." (the talkgroups only when
// there are any); "Nothing was imported." for none.
std::string import_report(const ImportCounts& counts);

// Deletes "import.hpd" from the folder (the window does this when it closes).
void remove_import_file(const std::filesystem::path& folder);

}  // namespace tarvex
