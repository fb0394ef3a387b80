// Find, replace, fill and the moves between groups (declared in grid_ops.h).
#include "core/editor/grid_ops.h"

#include <algorithm>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_detail.h"

namespace tarvex::grid {

using namespace detail;

// ---- find, replace, fill ----

std::optional<CellPos> find_next(const TextGrid& grid, std::string_view text, CellPos from,
                                 bool match_case) {
    int rows = grid.rows() - 1, cols = grid.cols() - 1;
    if (text.empty() || rows < 1 || cols < 1) return std::nullopt;
    long long total = static_cast<long long>(rows) * cols;
    bool inside = from.row >= 1 && from.row <= rows && from.col >= 1 && from.col <= cols;
    long long start =
        inside ? static_cast<long long>(from.row - 1) * cols + (from.col - 1) : total - 1;
    std::string needle = match_case ? std::string(text) : to_lower(text);
    for (long long k = 1; k <= total; ++k) {
        long long index = (start + k) % total;
        int r = static_cast<int>(index / cols) + 1, c = static_cast<int>(index % cols) + 1;
        const std::string& cell = grid.at(r, c);
        if (cell.size() < needle.size()) continue;
        bool hit = match_case ? contains(cell, needle) : contains(to_lower(cell), needle);
        if (hit) return CellPos{r, c};
    }
    return std::nullopt;
}

GridChange replace_in(TextGrid& grid, CellRange range, std::string_view text,
                      std::string_view replacement, bool match_case) {
    GridChange change;
    range = clip(range, grid);
    if (text.empty()) return change;
    std::string needle = match_case ? std::string(text) : to_lower(text);
    int occurrences = 0;
    for (int r = range.top; r <= range.bottom; ++r) {
        for (int c = range.left; c <= range.right; ++c) {
            const std::string& cell = grid.at(r, c);
            std::string haystack = match_case ? cell : to_lower(cell);
            size_t pos = haystack.find(needle);
            if (pos == std::string::npos) continue;
            std::string out;
            size_t done = 0;
            while (pos != std::string::npos) {
                out.append(cell, done, pos - done);
                out += replacement;
                done = pos + needle.size();
                ++occurrences;
                pos = haystack.find(needle, done);
            }
            out.append(cell, done, std::string::npos);
            set_cell(grid, change, r, c, std::move(out));
        }
    }
    change.count = occurrences;
    return finish(grid, change);
}

GridChange fill_down(TextGrid& grid, CellRange range) {
    GridChange change;
    range = clip(range, grid);
    if (range.empty()) return change;
    for (int c = range.left; c <= range.right; ++c) {
        std::string value = grid.at(range.top, c);
        for (int r = range.top + 1; r <= range.bottom; ++r) set_cell(grid, change, r, c, value);
    }
    if (!range.empty()) change.selection = range;
    return finish(grid, change);
}

std::string series_member(std::string_view first, int n) {
    constexpr size_t limit = 64;
    size_t digits_at = first.size();
    while (digits_at > 0 && first[digits_at - 1] >= '0' && first[digits_at - 1] <= '9') --digits_at;
    // More digits than fit a number are text, except for the last 15 of them.
    if (first.size() - digits_at > 15) digits_at = first.size() - 15;
    std::string prefix, separator, number;
    if (digits_at < first.size()) {
        std::string_view digits = first.substr(digits_at);
        long long start = *parse_integer(digits);
        prefix = std::string(first.substr(0, digits_at));
        number = pad_number(start + n, static_cast<int>(digits.size()));
    } else {
        prefix = std::string(first);
        while (!prefix.empty() && prefix.back() == ' ') prefix.pop_back();
        // push_back, not = " ": GCC 12 warns falsely about the assignment (-Wrestrict).
        if (!prefix.empty()) separator.push_back(' ');
        number = std::to_string(n + 1);
    }
    // The number is what makes the series; the text before it gives way to the tag limit.
    size_t tail = separator.size() + number.size();
    if (prefix.size() + tail > limit) prefix.resize(limit > tail ? limit - tail : 0);
    return prefix + separator + number;
}

GridChange fill_series(TextGrid& grid, GridKind kind, CellRange range, Prompter& prompter) {
    GridChange change;
    range = clip(range, grid);
    int tag = column_index(kind, Column::AlphaTag);
    if (tag < 0 || range.left != tag || range.right != tag) {
        prompter.tell("Fill series only works in Alpha Tag Columns");
        return change;
    }
    if (range.empty()) return change;
    std::string first = grid.at(range.top, tag);
    for (int r = range.top; r <= range.bottom; ++r)
        set_cell(grid, change, r, tag, series_member(first, r - range.top));
    change.selection = range;
    return finish(grid, change);
}

// ---- other groups ----

GridChange copy_lines_to(const TextGrid& from, GridKind kind, CellRange range, TextGrid& to,
                         Prompter& prompter) {
    GridChange change;
    range = clip(range, from);
    std::vector<int> rows;
    for (int r = range.top; r <= range.bottom; ++r)
        if (!row_is_empty(from, kind, r)) rows.push_back(r);
    if (rows.empty()) return change;
    if (to.cols() != column_count(kind)) setup_grid(to, kind, std::max(to.rows(), 1));
    int start = last_used_row(to, kind) + 1;
    int n = static_cast<int>(rows.size());
    if (start + n - 1 > k_max_rows) {
        prompter.tell(k_grid_full);
        return change;
    }
    int old_rows = to.rows();
    ensure_row(to, std::min(start + n, k_max_rows));
    int cols = std::min(from.cols(), to.cols());
    for (int k = 0; k < n; ++k) {
        for (int c = 1; c < to.cols(); ++c)
            set_cell(to, change, start + k, c,
                     c < cols ? from.at(rows[static_cast<size_t>(k)], c) : std::string());
    }
    change.changed = true;
    change.rows_changed = to.rows() != old_rows;
    change.selection = CellRange::rows(start, start + n - 1, to.cols());
    return finish(to, change);
}

GridChange move_lines_to(TextGrid& from, GridKind kind, CellRange range, TextGrid& to,
                         Prompter& prompter, GridChange* from_change) {
    GridChange change = copy_lines_to(from, kind, range, to, prompter);
    if (!change.changed) return change;
    std::string dropped;
    GridChange cut = cut_lines(from, range, dropped);
    if (from_change) *from_change = cut;
    return change;
}

}  // namespace tarvex::grid
