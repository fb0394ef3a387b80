#include "core/settings/folders.h"

#include <cstdlib>
#if defined(__linux__)
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <ctime>
#include <string>
#include <system_error>

#include "core/base/os.h"

namespace tarvex {

namespace fs = std::filesystem;

long long run_temp_number(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    std::time_t t = system_clock::to_time_t(when);
    const std::tm local = base::local_time(t);
    long long since_midnight = local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
    auto within_second = duration_cast<milliseconds>(when.time_since_epoch()) % seconds(1);
    if (within_second.count() < 0) within_second += seconds(1);
    return since_midnight * 10 + within_second.count() / 100;
}

namespace {

// Enough to step past any realistic pile of leftovers without looping forever when the
// parent folder is unusable in some way create_directory does not report.
constexpr int k_max_run_temp_tries = 1000;

void create_all(const fs::path& p) {
    std::error_code ec;
    fs::create_directories(p, ec);
}

// Claims temp<N> under parent by creating it; creation is the claim, so a folder another
// instance made a moment earlier is never shared.
fs::path claim_run_temp(const fs::path& parent, long long number) {
    fs::path first = parent / ("temp" + std::to_string(number));
    for (int i = 0; i < k_max_run_temp_tries; ++i) {
        fs::path candidate = parent / ("temp" + std::to_string(number + i));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) return candidate;
        std::error_code exists_ec;
        if (!fs::exists(candidate, exists_ec)) break;  // creation itself fails: give up
    }
    return first;
}

void fill_service_search(const fs::path& folder, const fs::path& install_dir) {
    std::error_code ec;
    if (fs::exists(folder, ec)) return;
    if (!fs::create_directory(folder, ec)) return;
    fs::path shipped = install_dir / "hpd files";
    if (install_dir.empty() || !fs::is_directory(shipped, ec)) return;
    fs::copy(shipped, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
             ec);
}

}  // namespace

fs::path ram_scratch_folder() {
#if defined(__linux__)
    std::error_code ec;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        fs::path p(runtime);
        if (fs::is_directory(p, ec) && ::access(p.c_str(), W_OK) == 0) return p;
    }
    fs::path shm("/dev/shm");
    if (fs::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0) {
        fs::path own = shm / ("tarvex-" + std::to_string(::getuid()));
        fs::create_directory(own, ec);
        // Private to this user, and really ours (not a link or someone else's folder).
        struct stat st {};
        if (::lstat(own.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()) {
            ::chmod(own.c_str(), 0700);
            return own;
        }
    }
#endif
    return {};
}

DataFolders fix_data_folders(const PlatformFolders& platform, long long run_number,
                             bool recordings_enabled) {
    const std::string app(k_app_name);
    DataFolders f;
    f.data = platform.documents / "My Scanner Data Files" / app;
    f.data_temp = f.data / "temp";
    f.service_search = f.data / "ServiceSearch";
    f.recordings = platform.documents / "My Scanner Recordings" / app;
    f.master_database = platform.common_app_data / "Uniden" / "HomePatrol_Sentinel" / "Database";

    create_all(f.data);
    create_all(f.data_temp);
    fill_service_search(f.service_search, platform.install_dir);
    if (recordings_enabled) create_all(f.recordings);

    const fs::path& scratch = platform.scratch.empty() ? platform.app_data : platform.scratch;
    fs::path run_parent = scratch / "norvane" / app / "temp";
    create_all(run_parent);
    f.run_temp = claim_run_temp(run_parent, run_number);
    return f;
}

void remove_run_temp(const DataFolders& folders) {
    if (folders.run_temp.empty()) return;
    std::error_code ec;
    fs::remove_all(folders.run_temp, ec);
}

}  // namespace tarvex
