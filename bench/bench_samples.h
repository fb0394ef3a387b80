#pragma once
// The real files the benchmarks measure when ../shared/samples is there.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tarvex::bench {

// The largest state file of the sample master database (Texas), or an empty path.
inline std::filesystem::path largest_state_file() {
    namespace fs = std::filesystem;
    fs::path folder = fs::path(TARVEX_SAMPLES_DIR) / "hpdb";
    fs::path best;
    std::uintmax_t best_size = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".hpd") continue;
        auto size = it->file_size(ec);
        if (!ec && size > best_size) {
            best_size = size;
            best = it->path();
        }
    }
    return best;
}

// A scratch folder of this benchmark process ("tarvex-bench-NAME-PID" in the temp folder),
// made on first use and removed when the process ends. One per process: the first NAME wins.
inline std::filesystem::path scratch_dir(const std::string& name) {
    namespace fs = std::filesystem;
    // Never destroyed: the handler that removes the folder runs after static destructors.
    static const fs::path* dir = [&name] {
        auto* d = new fs::path(fs::temp_directory_path() /
                               ("tarvex-bench-" + name + "-" + std::to_string(::getpid())));
        fs::create_directories(*d);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(scratch_dir({}), ec);
        });
        return d;
    }();
    return *dir;
}

}  // namespace tarvex::bench
