#pragma once
// The favorites configuration "favorites_lists/favorites_lists.config": two header lines, then
// one "F-List" line per list (name, file, location control, monitor; tab-separated). Version 1
// files lack the monitor field, which then reads as "On".
#include <filesystem>
#include <string>
#include <vector>

namespace tarvex {

struct FavoritesRow {
    int number = 0;  // read back from the file name
    std::string name, file;
    bool location = false, monitor = false;
    // The manager table's key: "a-" + number formatted "000000".
    std::string key() const;
};

struct ConfigRead {
    bool opened = false;
    int version = 2;
    int missing_files = 0;             // lines dropped because their list file is not on the card
    std::vector<std::string> refused;  // file names that would leave the favorites folder
    int refused_unlisted = 0;          // further refused lines, beyond the first names kept
    int duplicates = 0;                // lines whose list number another line had already
};

// Reads the configuration of the favorites folder into `rows` (emptied first). Only lines whose
// list file exists are kept; names that would leave the folder are refused and never touched.
ConfigRead read_favorites_config(const std::filesystem::path& favorites_folder,
                                 std::vector<FavoritesRow>& rows);

// The configuration as written: format 2.00, five fields per list, rows with a file only.
std::vector<std::string> favorites_config_lines(const std::vector<FavoritesRow>& rows);

// A list name as it can stand in the configuration: tabs and line breaks would split the line.
std::string clean_list_name(std::string_view name);

}  // namespace tarvex
