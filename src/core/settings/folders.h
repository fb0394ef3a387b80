#pragma once
// The folders a run works in. They are derived at start-up from the platform's documents,
// application-data and common application-data folders and the application name, and stay
// fixed for the whole run.
#include <chrono>
#include <filesystem>
#include <string_view>

namespace tarvex {

// Names the main settings key space and the program's own data sub-folders.
inline constexpr std::string_view k_app_name = "TARVEX";

// What the platform reports; the app fills it from the desktop, tests from a temporary folder.
struct PlatformFolders {
    std::filesystem::path documents;
    std::filesystem::path app_data;         // the user's own application data
    std::filesystem::path common_app_data;  // shared by all users (Uniden's software lives here)
    std::filesystem::path install_dir;      // holds the "hpd files" folder shipped with us
    // Where this run's scratch files go (the run temp folder's base); empty means app_data.
    std::filesystem::path scratch;
};

// A RAM-backed folder for scratch files, or empty where there is none. The group channel files
// are one small file per group, thousands of them for a big database, and never outlive the
// run: on Linux they belong in the user's runtime folder ($XDG_RUNTIME_DIR), else in a private
// folder under /dev/shm, where creating them costs a fraction of what a disk does.
std::filesystem::path ram_scratch_folder();

class FolderProvider {
  public:
    virtual ~FolderProvider() = default;
    virtual PlatformFolders folders() = 0;
};

struct DataFolders {
    std::filesystem::path data;             // documents/"My Scanner Data Files"/TARVEX
    std::filesystem::path data_temp;        // data/"temp"
    std::filesystem::path service_search;   // data/"ServiceSearch"
    std::filesystem::path recordings;       // documents/"My Scanner Recordings"/TARVEX
    std::filesystem::path run_temp;         // app_data/"norvane"/TARVEX/"temp"/"temp<N>"
    std::filesystem::path master_database;  // common_app_data/"Uniden"/"HomePatrol_Sentinel"/...
};

// The time of day in tenths of a second (seconds since local midnight × 10, truncated): the
// number that names this run's temp folder.
long long run_temp_number(std::chrono::system_clock::time_point when);
inline long long run_temp_number_now() {
    return run_temp_number(std::chrono::system_clock::now());
}

// Fixes and creates the run's folders. Creation failures are ignored: the paths are still
// returned and the file operations that later use them report their own errors.
//
// The service-search folder is filled from install_dir/"hpd files" only when it had to be
// created, so the user's own edits there survive later starts. The recordings folder is
// created only when recordings are enabled (they are not in this edition).
//
// run_number is normally run_temp_number_now(). When a folder of that number already exists
// (two starts within the same tenth of a second, or one left behind by a crashed run), the
// next free number is taken: the folder is claimed by creating it, which fails for the second
// of two racing instances, so two running instances never share group channel files.
DataFolders fix_data_folders(const PlatformFolders& platform, long long run_number,
                             bool recordings_enabled = false);

// Removes the run temp folder with everything in it, and nothing above it. Errors are ignored.
void remove_run_temp(const DataFolders& folders);

}  // namespace tarvex
