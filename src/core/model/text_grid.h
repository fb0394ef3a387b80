#pragma once
// A grid of text cells, the core's picture of the channel and talkgroup grids: row 0 is the
// header, rows 1.. are data rows, column 0 holds the row number.
#include <string>
#include <vector>

namespace tarvex {

class TextGrid {
  public:
    TextGrid() = default;
    TextGrid(int rows, int cols) { resize(rows, cols); }

    int rows() const { return static_cast<int>(cells_.size()); }
    int cols() const { return cols_; }
    void resize(int rows, int cols);
    void set_rows(int rows) { resize(rows, cols_); }
    // Empties every cell and sets the size.
    void reset(int rows, int cols);

    const std::string& at(int row, int col) const { return cells_[row][col]; }
    std::string& at(int row, int col) { return cells_[row][col]; }
    const std::vector<std::string>& row(int r) const { return cells_[r]; }
    std::vector<std::string>& row(int r) { return cells_[r]; }

    // True when no data row (1..) has text in column 1 (Frequency or Talkgroup).
    bool has_no_data() const;
    // Writes 1..n into column 0 of the data rows.
    void number_rows();
    // Drops data rows whose columns 1.. are all empty, keeping at least `min_rows` rows in all.
    void remove_empty_rows(int min_rows = 11);

  private:
    std::vector<std::vector<std::string>> cells_;
    int cols_ = 0;
};

}  // namespace tarvex
