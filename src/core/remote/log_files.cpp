#include "core/remote/log_files.h"

#include "core/base/text.h"

namespace tarvex::remote {

bool LogFile::open(const std::filesystem::path& file, const LocalTime& now, Prompter& prompter) {
    close();
    out_.open(file, std::ios::binary | std::ios::app);
    if (!out_.is_open()) {
        out_.clear();
        prompter.tell(k_log_file_locked);
        return false;
    }
    append("TARVEX,Norvane,The Netherlands," + time_text(now) + "," + date_text(now));
    return true;
}

void LogFile::append(std::string_view line) {
    if (!out_.is_open()) return;
    out_ << line << "\r\n";
    out_.flush();
    out_.clear();
}

void LogFile::close() {
    if (out_.is_open()) out_.close();
    out_.clear();
}

std::string raw_log_name(bool conventional, const LocalTime& now) {
    return std::string(conventional ? "tvx_log_c_" : "tvx_log") + std::to_string(day_serial(now)) +
           "_" + std::to_string(now.hour) + ".txt";
}

void RawLog::write(std::string_view cleaned_line, bool conventional, const LocalTime& now) {
    std::string line = strip_line_ends(cleaned_line);
    if (line.empty() || line == last_line_) return;
    std::ofstream out(folder_ / raw_log_name(conventional, now), std::ios::binary | std::ios::app);
    if (out) out << line << "\r\n";
    last_line_ = line;
}

namespace {
constexpr std::string_view k_width_defaults[14] = {"1200", "1200", "800",  "800", "800",
                                                   "1000", "1000", "1000", "900", "650",
                                                   "800",  "1000", "1200", "500"};
}

std::string_view log_column_default(int column) {
    if (column < 1 || column > 14) return "1000";
    return k_width_defaults[column - 1];
}

int log_column_width(int column, std::string_view stored) {
    long long width = lenient_integer(stored);
    if (width < 10) return column == 14 ? 500 : 1000;
    if (width > 10000) return 10000;
    return static_cast<int>(width);
}

}  // namespace tarvex::remote
