#include "core/base/line_reader.h"

#include <cstring>

namespace tarvex {

LineReader::LineReader(const std::filesystem::path& path) : buffer_(1 << 16) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return;
    file_ = std::fopen(path.c_str(), "rb");
}

LineReader::~LineReader() {
    if (file_) std::fclose(file_);
}

bool LineReader::fill() {
    if (eof_ || !file_) return false;
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_ == 0) eof_ = true;
    return end_ > 0;
}

bool LineReader::next(std::string& line) {
    line.clear();
    truncated_ = false;
    if (!file_) return false;
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
