#pragma once
// Reads a file line by line through one large buffer: no whole-file reads, CR LF and bare LF
// both end a line, a NUL or any other byte is kept as it is. Overlong lines are cut short
// (the rest is skipped) so a file without line ends cannot exhaust memory.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvex {

class LineReader {
  public:
    static constexpr size_t k_max_line = 1 << 20;  // 1 MiB; no database line comes close

    explicit LineReader(const std::filesystem::path& path);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool is_open() const { return file_ != nullptr; }
    // The next line without its line end; false at the end of the file.
    bool next(std::string& line);
    // True when the last line returned was cut at k_max_line.
    bool truncated() const { return truncated_; }

  private:
    bool fill();
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    size_t pos_ = 0, end_ = 0;
    bool eof_ = false, truncated_ = false;
};

}  // namespace tarvex
