#pragma once
// Writing the store and the group channel files as one HPD file (format 2.03, CR LF), all
// systems or one. Every value goes through the vocabularies, so a file never carries a word
// the scanner would reject. The file is written beside the target and renamed into place:
// a failed save never destroys the previous file.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvex {

class SystemStore;
class GroupFiles;
class Prompter;
class Progress;

// Where each written line came from (for reports that compare a file with what saving makes of
// it): a store node key, or a group file row (key "GRP-999-sss-ggg", row >= 1).
struct WriteTrace {
    std::function<void(std::string_view line, const std::string& node_key, int row)> line;
};

// `path` may be changed (no-overwrite renaming); `format_code` is set to 2. Returns true when
// the file was written. `system_number` 0 writes every system. `list_number` is accepted for
// the callers' sake and has no effect in this edition.
bool write_hpd(std::string& path, SystemStore& store, GroupFiles& files, int system_number,
               int& format_code, int list_number, bool no_overwrite, Prompter& prompter,
               Progress& progress, const WriteTrace* trace = nullptr);

// The lines write_hpd would write, without a file (for checks and tests).
std::vector<std::string> hpd_lines(SystemStore& store, GroupFiles& files, int system_number,
                                   const WriteTrace* trace = nullptr);

// The same lines handed to `sink` one at a time, so a check of a large store keeps none of them.
void for_each_hpd_line(SystemStore& store, GroupFiles& files, int system_number,
                       const WriteTrace* trace,
                       const std::function<void(std::string_view line)>& sink);

// "Save Individual Systems as HPD file": each ticked system (index, list text) to its own file
// in folder + "/Saved" + stamp. Returns the files written; shows "Please select one or more
// systems." when nothing is ticked.
std::vector<std::string> save_individual_systems(
    const std::filesystem::path& folder, const std::vector<std::pair<int, std::string>>& ticked,
    SystemStore& store, GroupFiles& files, Prompter& prompter, Progress& progress,
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
// The stamp: date without ",", "/", "*", "-" (MMDDYYYY), "_", and the time of day as a fraction
// of a day times 100000, truncated.
std::string saved_folder_stamp(std::chrono::system_clock::time_point now);

}  // namespace tarvex
