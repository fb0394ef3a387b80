#include "core/remote/reception_log.h"

#include <algorithm>

#include "core/base/line_reader.h"
#include "core/base/safe_file.h"
#include "core/base/text.h"

namespace tarvex::remote {

namespace {

constexpr std::string_view k_headings[k_log_cols] = {
    "Type",     "Data",     "Channel Tag", "Subtone", "NAC",  "UID",  "System",   "Department",
    "Database", "Hitcount", "Signal",      "Mode",    "Time", "Date", "Duration",
};

bool row_empty(const LogRow& row) {
    return std::all_of(row.begin(), row.end(), [](const std::string& c) { return c.empty(); });
}

}  // namespace

std::span<const std::string_view> log_headings() {
    return k_headings;
}

std::string log_line(const LogRow& row) {
    std::string line;
    for (int c = 0; c < col_duration; ++c) {
        if (c) line += ',';
        line += row[c];
    }
    return line;
}

int ReceptionLog::used_rows() const {
    for (int r = k_log_rows; r >= 1; --r)
        if (!row_empty(row(r))) return r;
    return 0;
}

int ReceptionLog::gethitcount(std::string_view data, std::string_view channel,
                              std::string_view uid) {
    for (int r = 1; r <= k_log_rows; ++r) {
        const LogRow& row = this->row(r);
        if (row[col_data] == data && row[col_channel] == channel && row[col_uid] == uid) {
            current_row_ = r;
            return static_cast<int>(lenient_integer(row[col_hitcount])) + 1;
        }
    }
    return 1;
}

void ReceptionLog::put_on_top(int from_row, const LogRow& row) {
    // Rows above the old place slide down one; without an old place the bottom row falls off.
    int last = from_row > 0 ? from_row : k_log_rows;
    std::move_backward(rows_.begin(), rows_.begin() + (last - 1), rows_.begin() + last);
    rows_[0] = row;
    current_row_ = 1;
}

std::optional<std::string> ReceptionLog::log_tick(const DisplayModel& d, const LocalTime& now) {
    if (d.frequency.empty() || d.frequency == "OK" || d.frequency == "NG") return std::nullopt;

    const std::string channel = d.channel.value();
    LogRow line;
    line[col_type] = d.uid.empty() ? "LOG" : "UID";
    line[col_data] = d.frequency;
    line[col_channel] = channel;
    line[col_subtone] = d.tone;
    line[col_nac] = d.nac;
    line[col_uid] = d.uid;
    line[col_system] = d.system.value();
    line[col_department] = d.department.value();
    line[col_database] = d.favorites;
    line[col_hitcount] = std::to_string(gethitcount(d.frequency, channel, d.uid));
    line[col_signal] = signal_stars(d.signal);
    line[col_mode] = d.mode;
    line[col_time] = time_text(now);
    line[col_date] = date_text(now);

    std::string key = d.frequency + "-" + channel + "-" + d.uid;
    if (key != current_key_ && d.busy) {
        new_transmission_ = true;
        current_key_ = key;
        current_row_ = 0;
        int hits = gethitcount(d.frequency, channel, d.uid);
        line[col_hitcount] = std::to_string(hits);
        if (current_row_ > 0) {
            // The duration heard so far stays with the entry.
            line[col_duration] = row(current_row_)[col_duration];
            put_on_top(current_row_, line);
        } else {
            put_on_top(0, line);
        }
    }
    if (key == current_key_ && d.busy) {
        LogRow& top = rows_[0];
        if (top[col_data] == d.frequency && top[col_channel] == channel && top[col_uid] == d.uid)
            top[col_duration] =
                std::to_string(std::min(lenient_integer(top[col_duration]) + 1, k_duration_cap));
    }
    return log_line(line);
}

void ReceptionLog::reset_transmission() {
    new_transmission_ = false;
    current_key_.clear();
}

void ReceptionLog::clear() {
    for (auto& row : rows_) row = LogRow{};
    current_row_ = 0;
    reset_transmission();
}

bool ReceptionLog::save_grid(const std::filesystem::path& file) const {
    std::string text;
    for (const auto& row : rows_) {
        for (int c = 0; c < k_log_cols; ++c) {
            if (c) text += ',';
            text += '"' + replace_all(row[c], "\"", "'") + '"';
        }
        text += "\r\n";
    }
    return write_file_whole(file, text);
}

std::vector<std::string> read_quoted_cells(std::string_view line) {
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else
                cell += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells.push_back(std::move(cell));
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.push_back(std::move(cell));
    return cells;
}

bool ReceptionLog::open_grid(const std::filesystem::path& file) {
    // Line by line with a bound: a damaged file without line ends is not pulled in whole.
    LineReader in(file);
    if (!in.is_open()) return false;
    clear();
    std::string line;
    for (int r = 0; r < k_log_rows && in.next(line); ++r) {
        auto cells = read_quoted_cells(strip_line_ends(line));
        for (int c = 0; c < k_log_cols && c < static_cast<int>(cells.size()); ++c)
            rows_[r][c] = cells[c];
    }
    return true;
}

bool ReceptionLog::save_log(const std::filesystem::path& file, const LocalTime& now) const {
    std::string text =
        "TARVEX software,Norvane,The Netherlands," + time_text(now) + "," + date_text(now) + "\r\n";
    text +=
        "TYPE,DATA,CHANNEL TAG,SUBTONE,NAC,UID,SYSTEM,DEPARTMENT,DATABASE,HITCOUNT,SIGNAL,"
        "MODE,TIME,DATE,N/A\r\n";
    for (const auto& row : rows_) {
        for (const auto& cell : row) text += cell + ",";
        text += "\r\n";
    }
    return write_file_whole(file, text);
}

bool write_file_whole(const std::filesystem::path& file, const std::string& text) {
    SafeFileWriter out(file);
    out.write(text);
    return out.commit();
}

}  // namespace tarvex::remote
