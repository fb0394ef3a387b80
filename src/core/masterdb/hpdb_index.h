#pragma once
// Uniden's master database folder: the index "HPDB.config" and one HPD file per state,
// "s_" + state number formatted "000000" + ".hpd".
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

inline constexpr std::string_view k_no_database =
    "Database or Sentinel not found, please install Sentinel software first";
inline constexpr std::string_view k_select_file_entry = " << Select File  >> ";

struct StateEntry {
    int number = 0;         // from "StateId=" + number
    std::string name;       // field 3
    std::string file_name;  // "s_000006.hpd"
};

struct HpdbIndex {
    bool opened = false;
    std::vector<StateEntry> states;  // in the order of the index
};

std::string state_file_name(int state_number);

// Every "StateInfo" line of folder/"HPDB.config" (the name matched without regard to case, as
// on the card). Not opened when the file is missing or unreadable.
HpdbIndex read_hpdb_index(const std::filesystem::path& folder);

// The state file of a state in the folder (the name matched without regard to case); the plain
// name when no such file exists.
std::filesystem::path state_file_path(const std::filesystem::path& folder, int state_number);

}  // namespace tarvex
