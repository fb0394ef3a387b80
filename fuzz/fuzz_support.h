#pragma once
// Shared by the fuzz targets: the readers under test take paths, so each input is written to
// a private scratch file first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/base/os.h"

namespace tarvex::fuzz {

// A folder of this process, made once and reused by every run.
inline const std::filesystem::path& scratch_folder() {
    static const std::filesystem::path folder = [] {
        auto p = std::filesystem::temp_directory_path() /
                 ("tarvex-fuzz-" + std::to_string(base::current_process_id()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

inline std::filesystem::path write_input(const std::string& name, const uint8_t* data,
                                         size_t size) {
    auto path = scratch_folder() / name;
    std::FILE* f = base::open_file(path, "wb");
    if (f) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

}  // namespace tarvex::fuzz
