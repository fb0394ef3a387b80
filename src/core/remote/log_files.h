#pragma once
// The reception logger's files: the running log file (one line per logged second) and the raw
// log (every distinct status line, one file per day and hour).
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/base/prompter.h"
#include "core/remote/clock.h"

namespace tarvex::remote {

inline constexpr std::string_view k_log_file_locked =
    "Error opening log file, Log files is alrady being used by a different program.";

// The "Log/Append To File:" file. It stays open while the tick is set, as other programs
// should see it is in use.
class LogFile {
  public:
    // Opens the file for appending and writes the title line; on failure tells the user and
    // writes nothing.
    bool open(const std::filesystem::path& file, const LocalTime& now, Prompter& prompter);
    void append(std::string_view line);
    void close();
    bool is_open() const { return out_.is_open(); }

  private:
    std::ofstream out_;
};

// The raw log: file name of a status line heard at `now`.
std::string raw_log_name(bool conventional, const LocalTime& now);

class RawLog {
  public:
    void set_folder(std::filesystem::path folder) { folder_ = std::move(folder); }
    const std::filesystem::path& folder() const { return folder_; }
    // Appends the cleaned line unless it is empty or the same as the line written last. A
    // frequency with a "." marks a conventional reception. Write errors are ignored.
    void write(std::string_view cleaned_line, bool conventional, const LocalTime& now);

  private:
    std::filesystem::path folder_;
    std::string last_line_;
};

// Stored width (twips) of log grid column 1-14 as the window uses it: below 10 the default
// 1000 (500 for column 14), above 10000 capped.
int log_column_width(int column, std::string_view stored);
// The default text of wvc<column>.
std::string_view log_column_default(int column);

}  // namespace tarvex::remote
