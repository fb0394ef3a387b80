#pragma once
// Reads a file line by line through one large buffer: no whole-file reads, CR LF and bare LF
// both end a line, a NUL or any other byte is kept as it is. Overlong lines are cut short
// (the rest is skipped) so a file without line ends cannot exhaust memory.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvex {

// Why `path` cannot be read as a file: "no such file", "is a folder", "is a named pipe (FIFO)",
// "is a device, not a file", ...; empty for a regular file. Readers refuse anything else up
// front: opening a pipe waits for a writer forever, a device like /dev/zero never ends.
std::string not_a_file_reason(const std::filesystem::path& path);

class LineReader {
  public:
    static constexpr size_t k_max_line = 1 << 20;  // 1 MiB; no database line comes close

    explicit LineReader(const std::filesystem::path& path);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // False for anything but a readable regular file (see not_a_file_reason).
    bool is_open() const { return file_ != nullptr; }
    // Offset in the file of the first byte of the last line returned.
    long long line_offset() const { return line_offset_; }
    // The next line without its line end; false at the end of the file.
    bool next(std::string& line);
    // True when the last line returned was cut at k_max_line.
    bool truncated() const { return truncated_; }

  private:
    bool fill();
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    size_t pos_ = 0, end_ = 0;
    long long buffer_offset_ = 0, line_offset_ = 0;
    bool eof_ = false, truncated_ = false;
};

}  // namespace tarvex
