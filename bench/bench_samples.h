#pragma once
// The real files the benchmarks measure when ../shared/samples is there.
#include <cstdint>
#include <filesystem>

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

}  // namespace tarvex::bench
