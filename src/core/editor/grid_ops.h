#pragma once
// Row and block operations of the grid editor as plain functions on a TextGrid. Each returns
// what it changed so the window can refresh, select and record undo; the rows are numbered
// again after every operation. Questions and refusals go through the Prompter.
//
// Clipboard text is tab-separated cells, one row per line ("\r\n" written, "\r\n" or "\n"
// read), so blocks move to and from spreadsheets. A cell that starts with a double quote or
// holds a tab or line break is written quoted, spreadsheet style ("" for a quote inside).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/grid_columns.h"
#include "core/model/text_grid.h"

namespace tarvex {
class Prompter;
}

namespace tarvex::grid {

// A rectangle of cells, inclusive. Data rows start at 1, data columns at 1.
struct CellRange {
    int top = 1, left = 1, bottom = 1, right = 1;

    static CellRange cell(int row, int col) { return {row, col, row, col}; }
    static CellRange rows(int first, int last, int cols) { return {first, 1, last, cols - 1}; }
    bool empty() const { return bottom < top || right < left; }
    int row_count() const { return empty() ? 0 : bottom - top + 1; }
    int col_count() const { return empty() ? 0 : right - left + 1; }
    bool contains(int row, int col) const {
        return row >= top && row <= bottom && col >= left && col <= right;
    }
    bool operator==(const CellRange&) const = default;
};

// Corners in either order, clipped to the data cells of the grid; empty when nothing is left.
CellRange clip(CellRange range, const TextGrid& grid);
// Every data cell ("Select All").
CellRange select_all(const TextGrid& grid);

struct GridChange {
    bool changed = false;                // some cell text changed
    bool rows_changed = false;           // rows were added, removed or moved: refresh everything
    CellRange area{1, 1, 0, 0};          // bounding box of the changed cells (empty when none)
    int count = 0;                       // cells changed; Replace: occurrences replaced
    std::optional<CellRange> selection;  // where the selection goes afterwards
};

// The most data rows a grid holds (the group file's limit).
inline constexpr int k_max_rows = 9999;

// Messages of grid commands reached without a grid.
inline constexpr std::string_view k_click_grid_first = "Please click on a grid first.";
inline constexpr std::string_view k_no_grid_selected = "no grid selected";

// ---- blocks of cells ----
std::string copy_block(const TextGrid& grid, CellRange range);
// Empties the cells of the range ("Delete").
GridChange delete_block(TextGrid& grid, CellRange range);
// copy_block into `text`, then delete_block.
GridChange cut_block(TextGrid& grid, CellRange range, std::string& text);
// Pastes a block with its top-left cell at the range's top-left. Columns beyond the grid are
// dropped; rows beyond it grow the grid, up to 9999 data rows. A single value pasted over a
// larger range fills all of it.
GridChange paste_block(TextGrid& grid, CellRange range, std::string_view text);
// Tab-separated text to rows of cells (the quoting above; line breaks inside a quoted cell
// become blanks).
std::vector<std::vector<std::string>> parse_block(std::string_view text);

// ---- whole lines ----
// Columns 1..last of the rows of the range, tab-separated.
std::string copy_lines(const TextGrid& grid, CellRange range);
// copy_lines into `text`, then the rows are removed; the rows below close up and the grid
// keeps its size.
GridChange cut_lines(TextGrid& grid, CellRange range, std::string& text);
// Inserts the lines of `text` before row `at`. The empty rows at the bottom make room first;
// the grid grows when they are not enough. Refused with a message when the grid would pass
// 9999 rows.
GridChange paste_lines(TextGrid& grid, GridKind kind, int at, std::string_view text,
                       Prompter& prompter);
// Frequencies in MHz, separated by line breaks, blanks, tabs, commas or semicolons, written
// into the frequency column (column 1) from row `at` down; a new channel row gets the default
// values in its empty cells. Whole numbers of seven digits or more are Hz ("851012500").
// Words that are not numbers are skipped and named in a message. Grids without a frequency in
// column 1 refuse with a message.
GridChange paste_frequencies(TextGrid& grid, GridKind kind, int at, std::string_view text,
                             Prompter& prompter);

// Inserts as many empty rows as the range has rows before its top row. The grid keeps its
// size: when the last rows hold data the user is asked first ("Last line in this grid contains
// data: ..."); No changes nothing.
GridChange insert_lines(TextGrid& grid, GridKind kind, CellRange range, Prompter& prompter);
// Removes the empty rows (row_is_empty) and closes up; the grid keeps one empty row at the end
// and at least 11 rows.
GridChange remove_empty_lines(TextGrid& grid, GridKind kind);
// Empties columns 1.. of the rows of the range.
GridChange clear_lines(TextGrid& grid, CellRange range);
// Moves the rows of the range one up (down); the row passed over goes to the other side. At
// the top (bottom) of the grid nothing moves. The selection follows the rows.
GridChange shift_up(TextGrid& grid, CellRange range);
GridChange shift_down(TextGrid& grid, CellRange range);
// After "All data in current grid will be lost, Continue?" (title "Data Loss Warning") empties
// the grid to 11 rows.
GridChange clear_grid(TextGrid& grid, Prompter& prompter);

// The "Channel" add button: a line with the default values in the first row after the last
// used one (the grid grows by one row when needed). The selection is its first column.
GridChange add_line(TextGrid& grid, GridKind kind, Prompter& prompter);

// ---- find, replace, fill ----
struct CellPos {
    int row = 0, col = 0;
    bool operator==(const CellPos&) const = default;
};
// The next cell after `from` (row by row, wrapping around to row 1 and ending with `from`
// itself) whose text contains `text`. Pass {0, 0} to start at the first cell.
std::optional<CellPos> find_next(const TextGrid& grid, std::string_view text, CellPos from,
                                 bool match_case);
// Replaces every occurrence in the cells of `range` (pass select_all for the whole grid);
// `count` is the number of occurrences.
GridChange replace_in(TextGrid& grid, CellRange range, std::string_view text,
                      std::string_view replacement, bool match_case);
// The top cell of each selected column repeated down the selected rows.
GridChange fill_down(TextGrid& grid, CellRange range);
// A numbered series down the selected Alpha Tag cells, starting from the top cell: a text
// ending in a number continues it ("TAC 07" -> "TAC 08", ...); any other text gets " 1",
// " 2", ... ("Fire" -> "Fire 1", "Fire 2"); an empty top cell gives "1", "2", ... Outside the
// Alpha Tag column: "Fill series only works in Alpha Tag Columns".
GridChange fill_series(TextGrid& grid, GridKind kind, CellRange range, Prompter& prompter);
// The n-th (0-based) member of the series that starts with `first`.
std::string series_member(std::string_view first, int n);

// ---- other groups ----
// Copies the rows of the range of `from` after the last used row of `to` (same grid kind).
// Refused with a message when `to` would pass 9999 rows. Returns the change of `to`.
GridChange copy_lines_to(const TextGrid& from, GridKind kind, CellRange range, TextGrid& to,
                         Prompter& prompter);
// copy_lines_to, then the rows are cut from `from` (close up). `from_change` reports `from`.
GridChange move_lines_to(TextGrid& from, GridKind kind, CellRange range, TextGrid& to,
                         Prompter& prompter, GridChange* from_change = nullptr);

}  // namespace tarvex::grid
