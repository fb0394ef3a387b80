#include "core/editor/grid_detail.h"

#include <algorithm>
#include <utility>

namespace tarvex::grid::detail {

void touch(GridChange& change, int row, int col) {
    if (change.area.empty()) {
        change.area = CellRange::cell(row, col);
    } else {
        change.area.top = std::min(change.area.top, row);
        change.area.bottom = std::max(change.area.bottom, row);
        change.area.left = std::min(change.area.left, col);
        change.area.right = std::max(change.area.right, col);
    }
    change.changed = true;
    ++change.count;
}

void set_cell(TextGrid& grid, GridChange& change, int row, int col, std::string value) {
    std::string& cell = grid.at(row, col);
    if (cell == value) return;
    cell = std::move(value);
    touch(change, row, col);
}

void clear_row(TextGrid& grid, int row) {
    for (int c = 1; c < grid.cols(); ++c) grid.at(row, c).clear();
}

void insert_rows(TextGrid& grid, int at, int n) {
    int old_rows = grid.rows();
    grid.set_rows(old_rows + n);
    for (int r = grid.rows() - 1; r >= at + n; --r) std::swap(grid.row(r), grid.row(r - n));
    for (int r = at; r < at + n; ++r) clear_row(grid, r);
}

namespace {

void erase_rows(TextGrid& grid, int first, int n) {
    for (int r = first; r + n < grid.rows(); ++r) std::swap(grid.row(r), grid.row(r + n));
    grid.set_rows(grid.rows() - n);
}

}  // namespace

void erase_rows_keep_size(TextGrid& grid, int first, int n) {
    int rows = grid.rows();
    erase_rows(grid, first, n);
    grid.set_rows(rows);
    for (int r = rows - n; r < rows; ++r) clear_row(grid, r);
}

bool ensure_row(TextGrid& grid, int row) {
    if (row > k_max_rows) return false;
    if (row >= grid.rows()) grid.set_rows(row + 1);
    return true;
}

GridChange finish(TextGrid& grid, GridChange change) {
    grid.number_rows();
    return change;
}

}  // namespace tarvex::grid::detail
