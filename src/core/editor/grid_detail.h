#pragma once
// Building blocks shared by the grid operation files; not for the windows.
#include <string>
#include <string_view>

#include "core/editor/grid_ops.h"

namespace tarvex::grid::detail {

inline constexpr std::string_view k_grid_full = "A grid holds at most 9999 lines.";

// Adds the cell to the change's area and count.
void touch(GridChange& change, int row, int col);
// Writes the cell and records it, when the text differs.
void set_cell(TextGrid& grid, GridChange& change, int row, int col, std::string value);
void clear_row(TextGrid& grid, int row);
// Grows the grid by n rows and opens n empty rows at `at`.
void insert_rows(TextGrid& grid, int at, int n);
// Takes n rows out from `first` on; the grid keeps its size with empty rows at the bottom.
void erase_rows_keep_size(TextGrid& grid, int first, int n);
// Grows the grid so that data row `row` exists, within the file's limit; false beyond it.
bool ensure_row(TextGrid& grid, int row);
// Numbers the rows, as after every operation.
GridChange finish(TextGrid& grid, GridChange change);

}  // namespace tarvex::grid::detail
