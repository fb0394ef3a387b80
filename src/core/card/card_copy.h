#pragma once
// Copying files to and from the card. The copy function is a parameter of every operation
// that copies, so that a full card can be simulated; the real one writes through a temporary
// file renamed into place, so a failed copy never leaves half a file under the target's name.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace tarvex {

using CopyFileFn = std::function<std::error_code(const std::filesystem::path& from,
                                                 const std::filesystem::path& to)>;

inline constexpr std::string_view k_disk_full = "Error, Disk is Full";

// Copies `from` over `to` (replacing it) through a temporary file beside `to`.
std::error_code copy_file_safely(const std::filesystem::path& from,
                                 const std::filesystem::path& to);
inline CopyFileFn default_copy() {
    return copy_file_safely;
}

// No space, quota exceeded or a file too large for the target's file system (FAT's 4 GiB).
bool is_disk_full(const std::error_code& ec);
// "Error, Disk is Full" for a full target, else a message naming the file and the error.
std::string copy_error_message(const std::filesystem::path& file, const std::error_code& ec);

}  // namespace tarvex
