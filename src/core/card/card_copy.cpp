#include "core/card/card_copy.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include "core/base/os.h"
#include "core/base/safe_file.h"

namespace tarvex {

namespace fs = std::filesystem;

std::error_code copy_file_safely(const fs::path& from, const fs::path& to) {
    std::FILE* in = base::open_file(from, "rb");
    if (!in) return {errno ? errno : EIO, std::generic_category()};
    SafeFileWriter out(to);
    std::vector<char> buffer(1 << 16);
    int read_error = 0;
    for (;;) {
        size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
        if (n > 0) out.write(std::string_view(buffer.data(), n));
        if (n < buffer.size()) {
            if (std::ferror(in)) read_error = errno ? errno : EIO;
            break;
        }
        if (!out.ok()) break;
    }
    std::fclose(in);
    if (read_error) return {read_error, std::generic_category()};
    if (!out.commit()) return {out.error() ? out.error() : EIO, std::generic_category()};
    return {};
}

bool is_disk_full(const std::error_code& ec) {
    if (!ec) return false;
    if (ec == std::errc::no_space_on_device || ec == std::errc::file_too_large) return true;
#ifdef EDQUOT
    if (ec.value() == EDQUOT &&
        (ec.category() == std::generic_category() || ec.category() == std::system_category()))
        return true;
#endif
    return false;
}

std::string copy_error_message(const fs::path& file, const std::error_code& ec) {
    if (is_disk_full(ec)) return std::string(k_disk_full);
    return "Error copying " + file.filename().string() + ": " + ec.message();
}

}  // namespace tarvex
