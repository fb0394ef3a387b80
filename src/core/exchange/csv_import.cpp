#include "core/exchange/csv_import.h"

#include "core/base/os.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/base/text.h"
#include "core/editor/grid_ops.h"

namespace tarvex::csv {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool kept(unsigned char c) {
    return !(c < 10 || (c >= 14 && c <= 29) || c >= 128);
}

// Whitespace-separated tokens of a numbers-only line (commas separate too).
std::vector<std::string_view> number_tokens(std::string_view numbers) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < numbers.size()) {
        while (i < numbers.size() && (numbers[i] == ' ' || numbers[i] == ',')) ++i;
        size_t start = i;
        while (i < numbers.size() && numbers[i] != ' ' && numbers[i] != ',') ++i;
        if (i > start) out.push_back(numbers.substr(start, i - start));
    }
    return out;
}

// A run of digits, a decimal point and another run of digits: how frequencies are written in
// every list we have seen ("155.070", "0851.0125").
bool has_frequency(std::string_view numbers) {
    for (size_t i = 1; i + 1 < numbers.size(); ++i)
        if (numbers[i] == '.' && is_digit(numbers[i - 1]) && is_digit(numbers[i + 1])) return true;
    return false;
}

bool has_digit_run(std::string_view numbers, int n) {
    int run = 0;
    for (char c : numbers) {
        run = is_digit(c) ? run + 1 : 0;
        if (run >= n) return true;
    }
    return false;
}

// A whole number above zero that 16 divides (Motorola talkgroups in decimal notation); numbers
// with a decimal point are frequencies, not candidates.
bool has_multiple_of_16(std::string_view numbers) {
    for (auto token : number_tokens(numbers)) {
        if (token.find('.') != std::string_view::npos || token.size() > 12) continue;
        long long v = 0;
        for (char c : token) v = v * 10 + (c - '0');
        if (v > 0 && v % 16 == 0) return true;
    }
    return false;
}

struct Keyword {
    std::string_view word;
    Assignment assignment;
};
constexpr Keyword k_keywords[] = {
    {"FREQ", Frequency},  {"Frequency", Frequency},
    {"(MHz)", Frequency}, {"tgid", TrunkId},
    {"ID", TrunkId},      {"DPL", Subtone},
    {"PL", Subtone},      {"CSQ", Subtone},
    {"TSQL", Subtone},    {"TONE", Subtone},
    {"AM", Mode},         {"FM", Mode},
    {"NFM", Mode},        {"WFM", Mode},
    {"Mode", Mode},       {"ATT", Attenuator},
    {"TS", Step},         {"SKIP", LockOut},
};

int row_count(const TextGrid& t) {
    return t.rows();
}

}  // namespace

int assignment_index(std::string_view text) {
    for (size_t i = 0; i < k_assignments.size(); ++i)
        if (k_assignments[i] == text) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> split_lines(std::string_view bytes, bool& too_large) {
    too_large = false;
    std::vector<std::string> lines;
    std::string line;
    bool any = false;
    auto store = [&] {
        if (!any) return true;
        if (static_cast<int>(lines.size()) >= k_max_lines) {
            too_large = true;
            return false;
        }
        lines.push_back(std::move(line));
        line.clear();
        any = false;
        return true;
    };
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (!kept(c)) continue;
        if (c == '\r' || c == '\n') {
            if (!store()) return lines;
            continue;
        }
        line.push_back(ch);
        any = true;
    }
    store();
    return lines;
}

std::string numbers_only(std::string_view line) {
    std::string out(line);
    for (char& ch : out) {
        auto c = static_cast<unsigned char>(ch);
        if ((c >= 10 && c <= 43) || c == '-' || c == '/' || c >= 58) ch = ' ';
    }
    return out;
}

bool passes(std::string_view line, const LineFilters& f) {
    if (f.must_comma && line.find(',') == std::string_view::npos) return false;
    if (f.must_dash && line.find('-') == std::string_view::npos) return false;
    if (!f.must_contain.empty() && !contains(to_upper(line), to_upper(f.must_contain)))
        return false;
    if (!f.must_frequency && f.min_digits <= 0 && !f.must_divisible_16) return true;
    std::string numbers = numbers_only(line);
    if (f.must_frequency && !has_frequency(numbers)) return false;
    if (f.min_digits > 0 && !has_digit_run(numbers, f.min_digits)) return false;
    if (f.must_divisible_16 && !has_multiple_of_16(numbers)) return false;
    return true;
}

std::string normalise(std::string_view line) {
    std::string s(line);
    replace_all_in_place(s, ",fm,", ",FM,");
    replace_all_in_place(s, ",am,", ",AM,");
    replace_all_in_place(s, ",wfm,", ",WFM,");
    replace_all_in_place(s, ",OFF", ",Off");
    replace_all_in_place(s, ",ON", ",On");
    return s;
}

TextGrid empty_table(int cols) {
    TextGrid t(1, std::max(cols, 1));
    for (int c = 0; c < t.cols(); ++c) t.at(0, c) = std::string(k_assignments[Unknown]);
    return t;
}

LoadResult load_csv(std::string_view bytes, const LineFilters& filters) {
    LoadResult r;
    auto lines = split_lines(bytes, r.too_large);
    r.lines_read = static_cast<int>(lines.size());
    std::vector<std::vector<std::string>> rows;
    size_t cols = 1;
    for (const auto& line : lines) {
        if (!passes(line, filters)) continue;
        rows.push_back(split(normalise(line), ','));
        cols = std::max(cols, rows.back().size());
    }
    r.lines_taken = static_cast<int>(rows.size());
    r.table = empty_table(static_cast<int>(cols));
    r.table.resize(static_cast<int>(rows.size()) + 1, static_cast<int>(cols));
    for (size_t i = 0; i < rows.size(); ++i)
        for (size_t c = 0; c < rows[i].size(); ++c)
            r.table.at(static_cast<int>(i) + 1, static_cast<int>(c)) = std::move(rows[i][c]);
    auto_assign(r.table);
    return r;
}

LoadResult load_clipboard(std::string_view text, const LineFilters& filters) {
    std::string bytes(text);
    std::replace(bytes.begin(), bytes.end(), '\t', ',');
    return load_csv(bytes, filters);
}

bool load_csv_file(const std::filesystem::path& path, const LineFilters& filters,
                   LoadResult& result) {
    result = LoadResult{};
    result.table = empty_table();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::FILE* f = base::open_file(path, "rb");
    if (!f) return false;
    std::string bytes;
    char buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return false;
    result = load_csv(bytes, filters);
    return true;
}

void auto_assign(TextGrid& table) {
    const int last = std::min(row_count(table) - 1, 20);
    for (int c = 0; c < table.cols(); ++c) {
        for (int r = 1; r <= last; ++r) {
            std::string cell = to_upper(table.at(r, c));
            const Keyword* hit = nullptr;
            for (const auto& k : k_keywords)
                if (contains(cell, to_upper(k.word))) {
                    hit = &k;
                    break;
                }
            if (hit) {
                table.at(0, c) = std::string(k_assignments[hit->assignment]);
                break;
            }
        }
    }
}

// ---- selection and cell operations ----

Range whole_table(const TextGrid& table) {
    return {1, 0, table.rows() - 1, table.cols() - 1};
}

Scope auto_scope(const Range& s) {
    Scope scope;
    if (s.empty()) {
        scope.rows = RowScope::All;
        return scope;
    }
    scope.rows = s.top == s.bottom ? RowScope::All : RowScope::Selected;
    if (s.left == s.right) {
        scope.cols = ColScope::Single;
        scope.column = s.left;
    }
    return scope;
}

int apply(TextGrid& table, CellOp op, const Scope& scope, const Range& selection,
          std::string_view text, std::string_view with) {
    if ((op == CellOp::Replace || op == CellOp::Remove) && text.empty()) return 0;
    int top = 1, bottom = table.rows() - 1;
    if (scope.rows == RowScope::Selected) {
        if (selection.empty()) return 0;
        top = std::max(top, selection.top);
        bottom = std::min(bottom, selection.bottom);
    }
    int left = 0, right = table.cols() - 1;
    if (scope.cols == ColScope::Single) {
        if (scope.column < 0 || scope.column >= table.cols()) return 0;
        left = right = scope.column;
    }
    int changed = 0;
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c) {
            std::string& cell = table.at(r, c);
            std::string after;
            switch (op) {
                case CellOp::Upper:
                    after = to_upper(cell);
                    break;
                case CellOp::Lower:
                    after = to_lower(cell);
                    break;
                case CellOp::Replace:
                    after = replace_all(cell, text, with);
                    break;
                case CellOp::Remove:
                    after = replace_all(cell, text, "");
                    break;
            }
            if (after != cell) {
                cell = std::move(after);
                ++changed;
            }
        }
    return changed;
}

// ---- rows and columns ----

namespace {

template <class Drop>
int remove_if_rows(TextGrid& table, Drop drop) {
    TextGrid kept_rows(1, table.cols());
    kept_rows.row(0) = table.row(0);
    int removed = 0;
    for (int r = 1; r < table.rows(); ++r) {
        if (drop(table.row(r))) {
            ++removed;
            continue;
        }
        kept_rows.resize(kept_rows.rows() + 1, table.cols());
        kept_rows.row(kept_rows.rows() - 1) = std::move(table.row(r));
    }
    table = std::move(kept_rows);
    return removed;
}

}  // namespace

int remove_rows(TextGrid& table, int first, int last) {
    int r = 0;
    return remove_if_rows(table, [&](const std::vector<std::string>&) {
        ++r;
        return r >= first && r <= last;
    });
}

int remove_empty_lines(TextGrid& table) {
    return remove_if_rows(table, [](const std::vector<std::string>& row) {
        return std::all_of(row.begin(), row.end(), [](const std::string& c) { return c.empty(); });
    });
}

int remove_without_numbers(TextGrid& table) {
    return remove_if_rows(table, [](const std::vector<std::string>& row) {
        return std::none_of(row.begin(), row.end(), [](const std::string& c) {
            return std::any_of(c.begin(), c.end(), is_digit);
        });
    });
}

void add_column(TextGrid& table) {
    table.resize(std::max(table.rows(), 1), table.cols() + 1);
    table.at(0, table.cols() - 1) = std::string(k_assignments[Unknown]);
}

namespace {

Range clip(const TextGrid& table, Range s) {
    s.top = std::max(s.top, 1);
    s.left = std::max(s.left, 0);
    s.bottom = std::min(s.bottom, table.rows() - 1);
    s.right = std::min(s.right, table.cols() - 1);
    return s;
}

}  // namespace

int fill_down(TextGrid& table, const Range& selection) {
    Range s = clip(table, selection);
    if (s.empty()) return 0;
    int changed = 0;
    for (int c = s.left; c <= s.right; ++c)
        for (int r = s.top + 1; r <= s.bottom; ++r)
            if (table.at(r, c) != table.at(s.top, c)) {
                table.at(r, c) = table.at(s.top, c);
                ++changed;
            }
    return changed;
}

int delete_cells(TextGrid& table, const Range& selection) {
    Range s = clip(table, selection);
    int changed = 0;
    for (int r = s.top; r <= s.bottom; ++r)
        for (int c = s.left; c <= s.right; ++c)
            if (!table.at(r, c).empty()) {
                table.at(r, c).clear();
                ++changed;
            }
    return changed;
}

Range paste_cells(TextGrid& table, int row, int col, std::string_view text) {
    auto block = grid::parse_block(text);
    if (block.empty()) return {1, 0, 0, -1};
    row = std::max(row, 1);
    col = std::max(col, 0);
    size_t width = 0;
    for (const auto& cells : block) width = std::max(width, cells.size());
    int rows = std::max(table.rows(), row + static_cast<int>(block.size()));
    int cols = std::max(table.cols(), col + static_cast<int>(width));
    int old_cols = table.cols();
    table.resize(rows, cols);
    for (int c = old_cols; c < cols; ++c) table.at(0, c) = std::string(k_assignments[Unknown]);
    for (size_t i = 0; i < block.size(); ++i)
        for (size_t j = 0; j < block[i].size(); ++j)
            table.at(row + static_cast<int>(i), col + static_cast<int>(j)) = block[i][j];
    return {row, col, row + static_cast<int>(block.size()) - 1, col + static_cast<int>(width) - 1};
}

// ---- leaving the window ----

std::string save_text(const TextGrid& table) {
    std::string out(k_saved_first_line);
    out += "\r\n";
    for (int r = 1; r < table.rows(); ++r) {
        for (const auto& cell : table.row(r)) {
            out += cell;
            out += ',';
        }
        out += "\r\n";
    }
    return out;
}

std::string save_name(std::string_view chosen) {
    std::string name(chosen);
    // Only the file's own name counts: a dot in a folder name is no extension.
    size_t slash = name.find_last_of("/\\");
    std::string_view base = slash == std::string::npos ? std::string_view(name)
                                                       : std::string_view(name).substr(slash + 1);
    if (base.find('.') == std::string_view::npos) name += ".csv";
    return name;
}

std::string clipboard_text(const TextGrid& table, const Range& selection) {
    Range s = clip(table, selection);
    std::string out;
    if (s.empty()) return out;
    for (int r = s.top; r <= s.bottom; ++r) {
        for (int c = s.left; c <= s.right; ++c) {
            if (c > s.left) out += '\t';
            std::string cell = strip_line_ends(table.at(r, c));
            if (!cell.empty() && cell.front() == '"')
                out += '"' + replace_all(cell, "\"", "\"\"") + '"';
            else
                out += cell;
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace tarvex::csv
