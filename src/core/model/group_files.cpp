#include "core/model/group_files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "core/base/os.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/model/record_line.h"

namespace fs = std::filesystem;

namespace tarvex {

namespace {

constexpr std::string_view k_scratch_name = "temp.tmp";
constexpr int k_max_index = 999;
constexpr int k_groups_per_system = 400;
constexpr size_t k_io_buffer = 1 << 18;
// Group file lines are a few hundred bytes; anything longer is damage, and a file without line
// ends must not be pulled into memory whole.
constexpr size_t k_max_line = 1 << 20;

bool valid_index(int system, int group) {
    return system >= 0 && system <= k_max_index && group >= 0 && group <= k_max_index;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Streams the lines of a file in large chunks, without line ends and without CRs.
class LineReader {
  public:
    explicit LineReader(std::FILE* f) : file_(f), buffer_(k_io_buffer) {}

    bool next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (pos_ == len_) {
                len_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
                pos_ = 0;
                if (len_ == 0) return any;
            }
            any = true;
            const char* start = buffer_.data() + pos_;
            const void* nl = std::memchr(start, '\n', len_ - pos_);
            size_t take =
                nl ? static_cast<size_t>(static_cast<const char*>(nl) - start) : len_ - pos_;
            if (line.size() < k_max_line)
                line.append(start, std::min(take, k_max_line - line.size()));
            pos_ += take;
            if (nl) {
                ++pos_;
                break;
            }
        }
        if (line.find('\r') != std::string::npos) std::erase(line, '\r');
        return true;
    }

  private:
    std::FILE* file_;
    std::vector<char> buffer_;
    size_t pos_ = 0, len_ = 0;
};

bool write_line(std::FILE* f, std::string_view line) {
    // An empty view may hold a null pointer, which fwrite must never be given.
    return (line.empty() || std::fwrite(line.data(), 1, line.size(), f) == line.size()) &&
           std::fputc('\n', f) != EOF;
}

// A line break inside a cell or an appended line would split one row into two.
std::string_view one_line(std::string_view text, std::string& storage) {
    if (text.find_first_of("\r\n") == std::string_view::npos) return text;
    storage = strip_line_ends(text);
    return storage;
}

// Writes `target` through "temp.tmp" beside it: `fill` writes the lines, and only a complete,
// flushed and closed scratch file is renamed over the target. The scratch file never survives.
bool replace_through_scratch(const fs::path& target, const std::function<bool(std::FILE*)>& fill) {
    const fs::path scratch = target.parent_path() / k_scratch_name;
    std::error_code ec;
    bool ok = false;
    {
        FilePtr out(base::open_file(scratch, "wb"));
        if (out) {
            std::vector<char> buffer(k_io_buffer);
            std::setvbuf(out.get(), buffer.data(), _IOFBF, buffer.size());
            try {
                ok = fill(out.get()) && std::fflush(out.get()) == 0 && !std::ferror(out.get());
            } catch (...) {
                out.reset();
                fs::remove(scratch, ec);
                throw;
            }
            ok = std::fclose(out.release()) == 0 && ok;
        }
    }
    if (ok) {
        fs::rename(scratch, target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(scratch, ec);
    return ok;
}

// Passes every line of `source` through `transform` (nullopt drops the line) into the same file.
bool filter_file(const fs::path& source,
                 const std::function<std::optional<std::string>(std::string_view)>& transform) {
    FilePtr in(base::open_file(source, "rb"));
    if (!in) return false;
    return replace_through_scratch(source, [&](std::FILE* out) {
        LineReader reader(in.get());
        std::string line;
        while (reader.next(line)) {
            auto result = transform(line);
            if (result && !write_line(out, *result)) return false;
        }
        bool read_ok = !std::ferror(in.get());
        in.reset();  // an open source file cannot be replaced on every platform
        return read_ok;
    });
}

bool is_tmp_name(const fs::path& p) {
    return to_lower(p.extension().string()) == ".tmp";
}

bool all_digits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

int row_of(std::string_view line) {
    long long row = lenient_integer(get_field_plain(line, 0));
    return row >= 1 && row <= k_max_file_rows ? static_cast<int>(row) : 0;
}

}  // namespace

GroupFiles::GroupFiles(fs::path folder) : folder_(std::move(folder)) {
    std::error_code ec;
    fs::create_directories(folder_, ec);
}

GroupFiles::~GroupFiles() {
    close_appender();
}

std::string GroupFiles::file_name(int system, int group) {
    if (!valid_index(system, group)) return {};
    return "GRP-999-" + fmt3(system) + "-" + fmt3(group) + ".tmp";
}

fs::path GroupFiles::path_of(int system, int group) const {
    std::string name = file_name(system, group);
    return name.empty() ? fs::path() : folder_ / name;
}

bool GroupFiles::exists(int system, int group) const {
    if (!valid_index(system, group)) return false;
    std::error_code ec;
    return fs::is_regular_file(path_of(system, group), ec);
}

bool GroupFiles::save_tmpfile(int system, int group, TextGrid& grid, bool compact) {
    if (!valid_index(system, group)) return false;
    close_appender();
    touching(system, group);
    bool ok = true;
    if (grid.has_no_data()) {
        delete_group_file(system, group);
    } else {
        ok = replace_through_scratch(path_of(system, group), [&](std::FILE* out) {
            std::string line, storage;
            for (int r = 1; r < grid.rows(); ++r) {
                line.clear();
                for (int c = 0; c < grid.cols(); ++c) {
                    if (c) line += ',';
                    // A comma inside a value would shift every later column when read back;
                    // the program stores it as ";" as it does in record lines.
                    std::string_view cell = one_line(grid.at(r, c), storage);
                    if (cell.find(',') != std::string_view::npos)
                        line += comma_to_semicolon(cell);
                    else
                        line += cell;
                }
                if (!write_line(out, line)) return false;
            }
            return true;
        });
    }
    if (compact) grid.remove_empty_rows(k_min_grid_rows);
    return ok;
}

void GroupFiles::open_tmpfile(int system, int group, TextGrid& grid, int columns) const {
    columns = std::max(columns, 0);
    grid.reset(k_min_grid_rows, columns + 1);
    if (!valid_index(system, group)) return;
    flush_appender();
    FilePtr in(base::open_file(path_of(system, group), "rb"));
    if (!in) return;

    LineReader reader(in.get());
    std::string line;
    int lines_read = 0;
    while (reader.next(line)) {
        auto fields = split_view(line, ',');
        int row = row_of(fields[0]);
        if (row == 0) continue;
        ++lines_read;
        if (row >= grid.rows()) grid.set_rows(row + 1);
        int last = std::min(static_cast<int>(fields.size()) - 1, columns);
        for (int c = 1; c <= last; ++c) grid.at(row, c).assign(fields[static_cast<size_t>(c)]);
    }
    // One spare row after the lines read, but a row number beyond that (a gap) still stays.
    grid.set_rows(std::max({k_min_grid_rows, lines_read + 1, grid.rows()}));
}

std::vector<ScratchEntry> GroupFiles::laad_van_tempie(
    std::string_view kind, Prompter& prompter,
    const std::function<bool(int system)>& is_channel_system) const {
    std::vector<ScratchEntry> entries;
    const bool channels = kind == "FRQ-";
    if (!channels && kind != "TID-") return entries;
    flush_appender();

    std::error_code ec;
    fs::remove(folder_ / k_scratch_name, ec);
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && is_tmp_name(it->path())) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });

    std::string line;
    for (const auto& file : files) {
        // "GRP-999-sss-ggg.tmp": system at characters 9-11, group at 13-15.
        const std::string name = file.filename().string();
        if (name.size() < 15) continue;
        const std::string sss = name.substr(8, 3), ggg = name.substr(12, 3);
        if (!all_digits(sss) || !all_digits(ggg)) continue;
        const bool by_system = static_cast<bool>(is_channel_system);
        if (by_system && is_channel_system(std::stoi(sss)) != channels) continue;

        FilePtr in(base::open_file(file, "rb"));
        if (!in) continue;
        LineReader reader(in.get());
        while (reader.next(line)) {
            const std::string value = get_field(line, 1);
            if (value.empty() || value == ".") continue;
            if (!by_system && contains(value, ".") != channels) continue;
            const int row = row_of(line);
            if (row == 0) continue;
            if (static_cast<int>(entries.size()) >= k_scratch_limit) {
                prompter.tell("error, temp memory is full");
                return entries;
            }
            entries.push_back({std::string(kind) + sss + "-" + ggg + "-" + fmt4(row), line});
        }
    }
    return entries;
}

bool GroupFiles::for_each_line(int system, int group,
                               const std::function<void(std::string_view)>& visit) const {
    if (!valid_index(system, group)) return false;
    flush_appender();
    FilePtr in(base::open_file(path_of(system, group), "rb"));
    if (!in) return false;
    LineReader reader(in.get());
    std::string line;
    while (reader.next(line)) visit(line);
    return true;
}

std::vector<std::string> GroupFiles::read_lines(int system, int group) const {
    std::vector<std::string> lines;
    for_each_line(system, group, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

bool GroupFiles::write_lines(int system, int group, const std::vector<std::string>& lines) {
    if (!valid_index(system, group)) return false;
    close_appender();
    touching(system, group);
    if (lines.empty()) {
        delete_group_file(system, group);
        return true;
    }
    return replace_through_scratch(path_of(system, group), [&](std::FILE* out) {
        std::string storage;
        for (const auto& line : lines)
            if (!write_line(out, one_line(line, storage))) return false;
        return true;
    });
}

bool GroupFiles::delete_line(int system, int group, int row) {
    if (!valid_index(system, group) || row < 1 || row > k_max_file_rows) return false;
    close_appender();
    touching(system, group);
    return filter_file(path_of(system, group),
                       [row](std::string_view line) -> std::optional<std::string> {
                           if (row_of(line) == row) return std::nullopt;
                           return std::string(line);
                       });
}

bool GroupFiles::rewrite(int system, int group,
                         const std::function<std::string(std::string_view line)>& transform) {
    if (!valid_index(system, group)) return false;
    close_appender();
    touching(system, group);
    return filter_file(path_of(system, group),
                       [&](std::string_view line) -> std::optional<std::string> {
                           std::string out = transform(line);
                           if (out.find_first_of("\r\n") != std::string::npos)
                               out = strip_line_ends(out);
                           return out;
                       });
}

void GroupFiles::kill_tempies() {
    close_appender();
    std::error_code ec;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && is_tmp_name(it->path())) doomed.push_back(it->path());
    }
    for (const auto& p : doomed) fs::remove(p, ec);
}

void GroupFiles::delete_system_files(int system) {
    if (!valid_index(system, 0)) return;
    close_appender();
    for (int g = 0; g < k_groups_per_system; ++g) delete_group_file(system, g);
}

void GroupFiles::delete_group_file(int system, int group) {
    if (!valid_index(system, group)) return;
    close_appender();
    if (before_change && exists(system, group)) touching(system, group);
    std::error_code ec;
    fs::remove(path_of(system, group), ec);
}

bool GroupFiles::copy_group_file(int from_system, int from_group, int to_system, int to_group) {
    if (!valid_index(from_system, from_group) || !valid_index(to_system, to_group)) return false;
    close_appender();
    if (!exists(from_system, from_group)) return false;
    if (from_system == to_system && from_group == to_group) return true;
    touching(to_system, to_group);
    const fs::path scratch = folder_ / k_scratch_name;
    std::error_code ec;
    fs::copy_file(path_of(from_system, from_group), scratch, fs::copy_options::overwrite_existing,
                  ec);
    if (!ec) fs::rename(scratch, path_of(to_system, to_group), ec);
    if (!ec) return true;
    fs::remove(scratch, ec);
    return false;
}

void GroupFiles::append_line(int system, int group, std::string_view line) {
    if (!valid_index(system, group)) return;
    if (append_fd_ >= 0 && (system != append_system_ || group != append_group_)) close_appender();
    if (append_fd_ < 0) {
        touching(system, group);
        // A plain descriptor: opening for append through stdio costs extra system calls per
        // file, and reading a database opens one file per group.
        append_fd_ = base::open_append(path_of(system, group));
        if (append_fd_ < 0) {
            append_failed_ = true;
            return;
        }
        append_system_ = system;
        append_group_ = group;
    }
    std::string storage;
    append_pending_ += one_line(line, storage);
    append_pending_ += '\n';
    if (append_pending_.size() >= k_io_buffer) flush_appender();
}

std::optional<std::string> GroupFiles::read_raw(int system, int group) const {
    if (!valid_index(system, group)) return std::nullopt;
    flush_appender();
    FilePtr in(base::open_file(path_of(system, group), "rb"));
    if (!in) return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) bytes.append(buffer, n);
    return bytes;
}

bool GroupFiles::write_raw(int system, int group, const std::optional<std::string>& bytes) {
    if (!valid_index(system, group)) return false;
    close_appender();
    if (!bytes) {
        std::error_code ec;
        fs::remove(path_of(system, group), ec);
        return !ec;
    }
    return replace_through_scratch(path_of(system, group), [&](std::FILE* out) {
        return std::fwrite(bytes->data(), 1, bytes->size(), out) == bytes->size();
    });
}

void GroupFiles::flush_appender() const {
    if (append_fd_ < 0 || append_pending_.empty()) return;
    if (!base::write_all(append_fd_, append_pending_.data(), append_pending_.size()))
        append_failed_ = true;
    append_pending_.clear();
}

void GroupFiles::close_appender() {
    if (append_fd_ < 0) return;
    flush_appender();
    if (!base::close_descriptor(append_fd_)) append_failed_ = true;
    append_fd_ = -1;
    append_system_ = append_group_ = -1;
}

}  // namespace tarvex
