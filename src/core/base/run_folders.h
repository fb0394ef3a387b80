#pragma once
// Scratch folders and half-written files that belong to one process. A run folder holds an
// "owner" file with the id of the process that made it; once that process is gone (killed,
// crashed, power lost) the folder is left over, and the next start sweeps it, or first offers
// what it holds for recovery. Temporary files of the safe writer carry the writer's process id
// in their names (".tarvex-<pid>.part") for the same reason.
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

inline constexpr std::string_view k_owner_file = "owner";

// Records this process as the owner of `folder` (created when missing).
bool claim_run_folder(const std::filesystem::path& folder);
// The owner's process id; 0 when there is no readable owner file.
int run_folder_owner(const std::filesystem::path& folder);

// The folders under `parent` whose names begin with `prefix` and whose owner is gone. A folder
// without an owner file counts as left over once it is older than an hour (a program of an
// earlier version made it, or it was killed before writing the file).
std::vector<std::filesystem::path> left_over_runs(const std::filesystem::path& parent,
                                                  std::string_view prefix);
// Removes them; returns how many.
int sweep_left_over_runs(const std::filesystem::path& parent, std::string_view prefix);

// The safe writer's temporary name for `target` in this process.
std::filesystem::path part_file_for(const std::filesystem::path& target);
// Removes "*.tarvex-<pid>.part" files in `folder` whose process is gone; returns how many.
int sweep_stale_parts(const std::filesystem::path& folder);

// When a file was last written, as the local date and time "2026-12-06 05:12".
std::string local_time_text(std::time_t when);

}  // namespace tarvex
