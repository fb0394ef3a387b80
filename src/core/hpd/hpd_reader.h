#pragma once
// Reading an HPD file into the system store and the group channel files. The store is never
// cleared here: every system of the file becomes a new system with the next free index.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace tarvex {

class SystemStore;
class GroupFiles;
class Progress;

enum ReadFlags : uint16_t {
    k_read_all = 0,
    k_read_conventional_only = 1,
    k_read_trunked_only = 2,
};

// Why a read stopped before the end of the file.
enum class ReadProblem {
    none,
    write_failed,   // a group file could not be written (a full disk): the read is incomplete
    line_too_long,  // a line over 1 MiB: damage, never cut into a record
    store_full,     // the store holds 999 systems or its record limit: later systems left out
};

struct ReadStats {
    bool opened = false;
    ReadProblem problem = ReadProblem::none;
    long long problem_line = 0;  // 1-based line of the file where the read stopped
    int format_version = 1;
    long long lines = 0;
    int conventional_systems = 0, trunked_systems = 0;
    int systems_added = 0;     // systems that got a node
    int systems_rejected = 0;  // store full, or a trunked type this edition does not know
    int groups = 0, sites = 0, site_frequencies = 0, bandplans = 0, p25_bandplans = 0;
    int fleet_maps = 0, unit_ids = 0;
    long long channels = 0, talkgroups = 0;
    long long skipped_lines = 0;  // lines that matched no keyword
    long long dropped_lines = 0;  // known lines with nowhere to go (no system or group yet)
};

// Where each record came from, for reports that compare a file with what saving makes of it:
// called with the store key (or the group file and row) and the 1-based line number.
struct ReadTrace {
    std::function<void(const std::string& node_key, long long line_number)> node;
    std::function<void(int system, int group, int row, long long line_number)> row;
};

// What went wrong, for the user: "<file>:<line>: ..." naming the file and line; empty when
// nothing did. `folder` is the group files' folder (named when it could not be written).
std::string read_problem_text(const std::filesystem::path& file, const ReadStats& stats,
                              const std::filesystem::path& folder = {});
// True when what was read must not be used (saved, converted, imported): every problem but a
// full store, which leaves a correct store that simply lacks the systems that did not fit.
inline bool read_unusable(const ReadStats& stats) {
    return stats.problem == ReadProblem::write_failed ||
           stats.problem == ReadProblem::line_too_long;
}

ReadStats read_hpd(const std::filesystem::path& path, SystemStore& store, GroupFiles& files,
                   uint16_t flags, int list_number, Progress& progress,
                   const ReadTrace* trace = nullptr);

// read_hpd for the editor and the importers: when the read is unusable (read_unusable), every
// system it added is removed again with its group files, so a failed read leaves the data as
// it was instead of a copy quietly missing channels.
ReadStats read_hpd_or_nothing(const std::filesystem::path& path, SystemStore& store,
                              GroupFiles& files, uint16_t flags, int list_number,
                              Progress& progress, const ReadTrace* trace = nullptr);

}  // namespace tarvex
