#include "core/base/line_reader.h"

#include <cstring>

#include "core/base/os.h"

namespace tarvex {

std::string not_a_file_reason(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    switch (fs::status(path, ec).type()) {
        case fs::file_type::regular:
            return {};
        case fs::file_type::not_found:
            return "no such file";
        case fs::file_type::directory:
            return "is a folder, not a file";
        case fs::file_type::fifo:
            return "is a named pipe (FIFO), not a file";
        case fs::file_type::character:
        case fs::file_type::block:
            return "is a device, not a file";
        case fs::file_type::socket:
            return "is a socket, not a file";
        default:
            break;
    }
    if (ec == std::errc::permission_denied) return "permission denied";
    return ec ? ec.message() : "is not a regular file";
}

LineReader::LineReader(const std::filesystem::path& path) : buffer_(1 << 16) {
    if (!not_a_file_reason(path).empty()) return;
    file_ = base::open_file(path, "rb");
}

LineReader::~LineReader() {
    if (file_) std::fclose(file_);
}

bool LineReader::fill() {
    if (eof_ || !file_) return false;
    buffer_offset_ += static_cast<long long>(end_);
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_ == 0) eof_ = true;
    return end_ > 0;
}

bool LineReader::next(std::string& line) {
    line.clear();
    truncated_ = false;
    if (!file_) return false;
    line_offset_ = buffer_offset_ + static_cast<long long>(pos_);
    bool any = false;
    for (;;) {
        if (pos_ >= end_ && !fill()) break;
        any = true;
        const char* start = buffer_.data() + pos_;
        const char* nl = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
        size_t len = nl ? static_cast<size_t>(nl - start) : end_ - pos_;
        size_t room = line.size() < k_max_line ? k_max_line - line.size() : 0;
        if (len > room) truncated_ = true;
        line.append(start, len < room ? len : room);
        pos_ += len;
        if (nl) {
            ++pos_;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

}  // namespace tarvex
