#pragma once
// File -> Recent Files: the HPD files the user opened last, newest first, kept in the settings
// (section "recent", keys "file0".."file9") so they survive a restart.
#include <string>
#include <vector>

namespace tarvex {

class Settings;

inline constexpr size_t k_recent_files_max = 10;

// The list as stored; empty entries and repeats are left out.
std::vector<std::string> read_recent_files(const Settings& settings);
void write_recent_files(Settings& settings, const std::vector<std::string>& files);

// The list after opening `path`: it moves to the front (once), the oldest fall off past ten.
std::vector<std::string> with_recent_file(std::vector<std::string> files, const std::string& path);
// The list without `path` (a chosen entry whose file is gone).
std::vector<std::string> without_recent_file(std::vector<std::string> files,
                                             const std::string& path);

// The message for a chosen entry whose file no longer exists.
std::string recent_file_missing_message(const std::string& path);

}  // namespace tarvex
