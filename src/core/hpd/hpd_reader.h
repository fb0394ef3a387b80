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

struct ReadStats {
    bool opened = false;
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

ReadStats read_hpd(const std::filesystem::path& path, SystemStore& store, GroupFiles& files,
                   uint16_t flags, int list_number, Progress& progress,
                   const ReadTrace* trace = nullptr);

}  // namespace tarvex
