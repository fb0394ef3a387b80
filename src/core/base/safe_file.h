#pragma once
// Writing a file so that a crash or a full disk never leaves half of it: the bytes go to a
// temporary file beside the target, which is flushed and renamed over the target only when
// everything was written. Until commit() the previous file is untouched.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvex {

class SafeFileWriter {
  public:
    explicit SafeFileWriter(std::filesystem::path target);
    ~SafeFileWriter();  // an uncommitted temporary file is removed
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool ok() const { return error_ == 0; }
    void write(std::string_view bytes);
    void write_line_crlf(std::string_view line) {
        write(line);
        write("\r\n");
    }
    // Flushes, closes and renames into place; false (with error()) when anything failed.
    bool commit();
    // The first failure: its error number and the platform's description.
    int error() const { return error_; }
    std::string error_text() const;

  private:
    void fail(int err);
    std::filesystem::path target_, temp_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
    bool committed_ = false;
};

}  // namespace tarvex
