#pragma once
// The reception log: the 500 most recently heard transmissions with hit counts, newest on top.
// The logger fills it once a second from the display; it is saved as CSV on request and kept
// between sessions in "loggrid.ini".
#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/remote/clock.h"
#include "core/remote/status.h"

namespace tarvex::remote {

inline constexpr int k_log_rows = 500;
inline constexpr int k_log_cols = 15;
inline constexpr long long k_duration_cap = 99999;
inline constexpr std::string_view k_loggrid_file = "loggrid.ini";

enum LogCol {
    col_type,
    col_data,
    col_channel,
    col_subtone,
    col_nac,
    col_uid,
    col_system,
    col_department,
    col_database,
    col_hitcount,
    col_signal,
    col_mode,
    col_time,
    col_date,
    col_duration,
};

using LogRow = std::array<std::string, k_log_cols>;

// The grid's headings, "Type" to "Duration".
std::span<const std::string_view> log_headings();
// A log file line: the first fourteen cells joined by "," (no quoting, no trailing ",").
std::string log_line(const LogRow& row);

class ReceptionLog {
  public:
    ReceptionLog() : rows_(k_log_rows) {}

    // Row r, 1-500.
    const LogRow& row(int r) const { return rows_[static_cast<size_t>(r - 1)]; }
    // Rows 1.. up to the last that holds an entry.
    int used_rows() const;

    // The first row (top down) whose Data, Channel Tag and UID equal the arguments becomes the
    // current row; the result is its Hitcount + 1, or 1 when no row matches.
    int gethitcount(std::string_view data, std::string_view channel, std::string_view uid);
    int current_row() const { return current_row_; }

    // One logger tick. Returns the line to append to the log file, or nothing when the display
    // shows no transmission (empty, "OK" or "NG").
    std::optional<std::string> log_tick(const DisplayModel& display, const LocalTime& now);

    // Forget the transmission in progress, so the same channel heard next counts again.
    void reset_transmission();
    const std::string& current_key() const { return current_key_; }
    bool new_transmission() const { return new_transmission_; }

    void clear();

    // "loggrid.ini": 500 lines of 15 quoted cells. Saving replaces the file whole; loading
    // keeps what reads and leaves the rest of the table empty. False when the file could not be
    // written or read.
    bool save_grid(const std::filesystem::path& file) const;
    bool open_grid(const std::filesystem::path& file);
    // The "Save Log" file: a title line, the headings, one line per table row.
    bool save_log(const std::filesystem::path& file, const LocalTime& now) const;

  private:
    void put_on_top(int from_row, const LogRow& row);

    std::vector<LogRow> rows_;
    int current_row_ = 0;
    std::string current_key_;
    bool new_transmission_ = false;
};

// Reads one "loggrid.ini" line: comma-separated cells, each optionally in double quotes (a
// quoted cell may hold commas).
std::vector<std::string> read_quoted_cells(std::string_view line);

// Writes the whole text through SafeFileWriter: a failure never leaves half a file.
bool write_file_whole(const std::filesystem::path& file, const std::string& text);

}  // namespace tarvex::remote
