#include "core/editor/grid_ops.h"

#include <algorithm>
#include <utility>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_detail.h"
#include "core/model/group_files.h"

namespace tarvex::grid {

using namespace detail;

namespace {

bool needs_quotes(std::string_view cell) {
    return (!cell.empty() && cell.front() == '"') ||
           cell.find_first_of("\t\r\n") != std::string_view::npos;
}

void append_cell(std::string& out, std::string_view cell) {
    if (!needs_quotes(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string rows_text(const TextGrid& grid, int top, int bottom, int left, int right) {
    std::string out;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) out += '\t';
            append_cell(out, grid.at(r, c));
        }
        out += "\r\n";
    }
    return out;
}

std::string row_data(const TextGrid& grid, int row) {
    int last = grid.cols() - 1;
    while (last > 1 && grid.at(row, last).empty()) --last;
    std::string out;
    for (int c = 1; c <= last; ++c) {
        if (c > 1) out += ',';
        out += grid.at(row, c);
    }
    return out;
}

bool has_frequency_key(GridKind kind) {
    return kind == GridKind::Channel || kind == GridKind::SiteFrequency ||
           kind == GridKind::SearchRange;
}

}  // namespace

CellRange clip(CellRange range, const TextGrid& grid) {
    if (range.top > range.bottom) std::swap(range.top, range.bottom);
    if (range.left > range.right) std::swap(range.left, range.right);
    range.top = std::max(range.top, 1);
    range.left = std::max(range.left, 1);
    range.bottom = std::min(range.bottom, grid.rows() - 1);
    range.right = std::min(range.right, grid.cols() - 1);
    return range;
}

CellRange select_all(const TextGrid& grid) {
    return {1, 1, grid.rows() - 1, grid.cols() - 1};
}

// ---- blocks ----

std::string copy_block(const TextGrid& grid, CellRange range) {
    range = clip(range, grid);
    if (range.empty()) return {};
    return rows_text(grid, range.top, range.bottom, range.left, range.right);
}

GridChange delete_block(TextGrid& grid, CellRange range) {
    GridChange change;
    range = clip(range, grid);
    for (int r = range.top; r <= range.bottom; ++r)
        for (int c = range.left; c <= range.right; ++c) set_cell(grid, change, r, c, {});
    if (!range.empty()) change.selection = range;
    return finish(grid, change);
}

GridChange cut_block(TextGrid& grid, CellRange range, std::string& text) {
    text = copy_block(grid, range);
    return delete_block(grid, range);
}

std::vector<std::vector<std::string>> parse_block(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    bool pending = false;  // something of the current line was read
    size_t i = 0;
    auto end_line = [&] {
        row.push_back(std::move(cell));
        cell.clear();
        rows.push_back(std::move(row));
        row.clear();
        pending = false;
    };
    while (i < text.size()) {
        char c = text[i];
        if (c == '"' && cell.empty()) {
            // Quoted cell: "" is a quote, line breaks inside become blanks; whatever follows
            // the closing quote up to the next tab is kept as typed.
            ++i;
            while (i < text.size()) {
                char q = text[i];
                if (q == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (q == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
                cell += (q == '\r' || q == '\n') ? ' ' : q;
                ++i;
            }
            pending = true;
            continue;
        }
        if (c == '\t') {
            row.push_back(std::move(cell));
            cell.clear();
            pending = true;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            end_line();
        } else {
            cell += c;
            pending = true;
        }
        ++i;
    }
    if (pending) end_line();
    return rows;
}

GridChange paste_block(TextGrid& grid, CellRange range, std::string_view text) {
    GridChange change;
    auto block = parse_block(text);
    range = clip(range, grid);
    if (block.empty() || range.empty()) return change;
    if (block.size() == 1 && block[0].size() == 1 &&
        (range.row_count() > 1 || range.col_count() > 1)) {
        for (int r = range.top; r <= range.bottom; ++r)
            for (int c = range.left; c <= range.right; ++c)
                set_cell(grid, change, r, c, block[0][0]);
        change.selection = range;
        return finish(grid, change);
    }
    int old_rows = grid.rows();
    int last_row = std::min(range.top + static_cast<int>(block.size()) - 1, k_max_rows);
    ensure_row(grid, last_row);
    int widest = 0;
    for (int r = range.top; r <= last_row; ++r) {
        const auto& cells = block[static_cast<size_t>(r - range.top)];
        int n = std::min(static_cast<int>(cells.size()), grid.cols() - range.left);
        widest = std::max(widest, n);
        for (int k = 0; k < n; ++k)
            set_cell(grid, change, r, range.left + k, cells[static_cast<size_t>(k)]);
    }
    change.rows_changed = grid.rows() != old_rows;
    if (widest > 0)
        change.selection = CellRange{range.top, range.left, last_row, range.left + widest - 1};
    return finish(grid, change);
}

// ---- lines ----

std::string copy_lines(const TextGrid& grid, CellRange range) {
    range = clip(range, grid);
    if (range.top > range.bottom || grid.cols() < 2) return {};
    return rows_text(grid, range.top, range.bottom, 1, grid.cols() - 1);
}

GridChange cut_lines(TextGrid& grid, CellRange range, std::string& text) {
    GridChange change;
    text = copy_lines(grid, range);
    range = clip(range, grid);
    if (range.top > range.bottom) return change;
    erase_rows_keep_size(grid, range.top, range.row_count());
    change.changed = change.rows_changed = true;
    change.count = range.row_count();
    change.selection = CellRange::rows(range.top, range.top, grid.cols());
    return finish(grid, change);
}

GridChange paste_lines(TextGrid& grid, GridKind kind, int at, std::string_view text,
                       Prompter& prompter) {
    GridChange change;
    auto lines = parse_block(text);
    if (lines.empty() || grid.cols() < 2 || grid.rows() < 1) return change;
    at = std::clamp(at, 1, grid.rows());
    int n = static_cast<int>(lines.size());
    if (std::max(last_used_row(grid, kind), at - 1) + n > k_max_rows) {
        prompter.tell(k_grid_full);
        return change;
    }
    insert_rows(grid, at, n);
    // Empty rows at the bottom give the room back, so the grid grows only when it is full.
    int spare = n;
    while (spare > 0 && grid.rows() - 1 >= at + n && row_is_empty(grid, kind, grid.rows() - 1)) {
        grid.set_rows(grid.rows() - 1);
        --spare;
    }
    for (int k = 0; k < n; ++k) {
        const auto& cells = lines[static_cast<size_t>(k)];
        int count = std::min(static_cast<int>(cells.size()), grid.cols() - 1);
        for (int c = 0; c < count; ++c) grid.at(at + k, c + 1) = cells[static_cast<size_t>(c)];
    }
    change.changed = change.rows_changed = true;
    change.count = n;
    change.selection = CellRange::rows(at, at + n - 1, grid.cols());
    return finish(grid, change);
}

namespace {

// A pasted word as a frequency in MHz text, or "" when it is none. Whole numbers above 100000
// can only be Hz (no scanner band reaches 100 GHz), which is how some lists carry them.
std::string frequency_word(std::string_view word) {
    int dots = 0;
    for (char c : word) {
        if (c == '.')
            ++dots;
        else if (c < '0' || c > '9')
            return {};
    }
    if (dots > 1 || word == ".") return {};
    long long hz = 0;
    if (dots == 0 && word.size() > 6) {
        auto whole = parse_integer(word);
        if (!whole) return {};
        hz = *whole;
    } else {
        hz = mhz_to_hz(word);
    }
    if (hz <= 0) return {};
    return scaled_to_decimal(hz, 6, 0);  // as the reader writes channel frequencies
}

}  // namespace

GridChange paste_frequencies(TextGrid& grid, GridKind kind, int at, std::string_view text,
                             Prompter& prompter) {
    GridChange change;
    if (!has_frequency_key(kind) || grid.cols() < 2) {
        prompter.tell("Paste Frequencies only works in frequency grids");
        return change;
    }
    std::vector<std::string> frequencies, skipped;
    std::string word;
    auto take = [&] {
        if (word.empty()) return;
        std::string f = frequency_word(word);
        if (f.empty())
            skipped.push_back(word);
        else
            frequencies.push_back(std::move(f));
        word.clear();
    };
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';')
            take();
        else
            word += c;
    }
    take();

    at = std::max(at, 1);
    int fit = std::clamp(k_max_rows - at + 1, 0, static_cast<int>(frequencies.size()));
    int old_rows = grid.rows();
    if (fit > 0) ensure_row(grid, std::min(at + fit, k_max_rows));
    std::vector<std::string> defaults = default_row(kind);
    for (int k = 0; k < fit; ++k) {
        int r = at + k;
        set_cell(grid, change, r, 1, frequencies[static_cast<size_t>(k)]);
        for (int c = 2; c < grid.cols() && c < static_cast<int>(defaults.size()); ++c)
            if (grid.at(r, c).empty() && !defaults[static_cast<size_t>(c)].empty())
                set_cell(grid, change, r, c, defaults[static_cast<size_t>(c)]);
    }
    change.rows_changed = grid.rows() != old_rows;
    if (fit > 0) change.selection = CellRange{at, 1, at + fit - 1, 1};
    if (fit < static_cast<int>(frequencies.size()))
        prompter.tell(std::string(k_grid_full) + " " +
                      std::to_string(frequencies.size() - static_cast<size_t>(fit)) +
                      " frequencies were not pasted.");
    if (!skipped.empty()) {
        std::string list;
        for (size_t i = 0; i < skipped.size() && i < 5; ++i) list += (i ? ", " : "") + skipped[i];
        if (skipped.size() > 5) list += ", ...";
        prompter.tell("Not a frequency, skipped: " + list);
    }
    return finish(grid, change);
}

GridChange insert_lines(TextGrid& grid, GridKind kind, CellRange range, Prompter& prompter) {
    GridChange change;
    range = clip(range, grid);
    if (range.top > range.bottom) return change;
    int n = range.row_count();
    int first_lost = std::max(range.top, grid.rows() - n);
    for (int r = first_lost; r < grid.rows(); ++r) {
        if (row_is_empty(grid, kind, r)) continue;
        Answer answer = prompter.ask({"Last line in this grid contains data: " + row_data(grid, r),
                                      "This data will be lost. ", "Continue?"},
                                     "Warning", Buttons::YesNo);
        if (answer != Answer::Yes) return change;
        break;
    }
    int rows = grid.rows();
    insert_rows(grid, range.top, n);
    grid.set_rows(rows);
    change.changed = change.rows_changed = true;
    change.count = n;
    change.selection = CellRange::rows(range.top, range.top + n - 1, grid.cols());
    return finish(grid, change);
}

GridChange remove_empty_lines(TextGrid& grid, GridKind kind) {
    GridChange change;
    int kept = 0;
    for (int r = 1; r < grid.rows(); ++r) {
        if (row_is_empty(grid, kind, r)) continue;
        ++kept;
        if (kept != r) std::swap(grid.row(kept), grid.row(r));
    }
    int rows = std::clamp(kept + 2, k_min_grid_rows, k_max_rows + 1);
    for (int r = kept + 1; r < grid.rows(); ++r) clear_row(grid, r);
    if (rows != grid.rows()) change.rows_changed = true;
    grid.set_rows(rows);
    change.changed = true;
    change.rows_changed = true;
    return finish(grid, change);
}

GridChange clear_lines(TextGrid& grid, CellRange range) {
    range = clip(range, grid);
    return delete_block(grid, CellRange{range.top, 1, range.bottom, grid.cols() - 1});
}

GridChange shift_up(TextGrid& grid, CellRange range) {
    GridChange change;
    range = clip(range, grid);
    if (range.top > range.bottom || range.top <= 1) return change;
    for (int r = range.top - 1; r < range.bottom; ++r) std::swap(grid.row(r), grid.row(r + 1));
    change.changed = true;
    change.area = CellRange{range.top - 1, 1, range.bottom, grid.cols() - 1};
    change.count = range.row_count() + 1;
    change.selection = CellRange{range.top - 1, range.left, range.bottom - 1, range.right};
    return finish(grid, change);
}

GridChange shift_down(TextGrid& grid, CellRange range) {
    GridChange change;
    range = clip(range, grid);
    if (range.top > range.bottom || range.bottom >= grid.rows() - 1) return change;
    for (int r = range.bottom + 1; r > range.top; --r) std::swap(grid.row(r), grid.row(r - 1));
    change.changed = true;
    change.area = CellRange{range.top, 1, range.bottom + 1, grid.cols() - 1};
    change.count = range.row_count() + 1;
    change.selection = CellRange{range.top + 1, range.left, range.bottom + 1, range.right};
    return finish(grid, change);
}

GridChange clear_grid(TextGrid& grid, Prompter& prompter) {
    GridChange change;
    if (prompter.ask({"All data in current grid will be lost, Continue?"}, "Data Loss Warning",
                     Buttons::YesNo) != Answer::Yes)
        return change;
    std::vector<std::string> header = grid.rows() > 0 ? grid.row(0) : std::vector<std::string>{};
    int cols = grid.cols();
    grid.reset(k_min_grid_rows, cols);
    if (!header.empty()) grid.row(0) = std::move(header);
    change.changed = change.rows_changed = true;
    change.selection = CellRange::cell(1, 1);
    return finish(grid, change);
}

GridChange add_line(TextGrid& grid, GridKind kind, Prompter& prompter) {
    GridChange change;
    int r = last_used_row(grid, kind) + 1;
    if (!ensure_row(grid, r)) {
        prompter.tell(k_grid_full);
        return change;
    }
    int old_rows = grid.rows();
    // One empty row stays below the new line for the next one.
    if (r + 1 <= k_max_rows) ensure_row(grid, r + 1);
    change.rows_changed = grid.rows() != old_rows;
    std::vector<std::string> defaults = default_row(kind);
    for (int c = 1; c < grid.cols() && c < static_cast<int>(defaults.size()); ++c)
        if (grid.at(r, c).empty() && !defaults[static_cast<size_t>(c)].empty())
            set_cell(grid, change, r, c, defaults[static_cast<size_t>(c)]);
    change.changed = true;
    change.selection = CellRange::cell(r, 1);
    return finish(grid, change);
}

}  // namespace tarvex::grid
