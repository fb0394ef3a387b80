#include "core/model/text_grid.h"

#include <algorithm>

namespace tarvex {

void TextGrid::resize(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (cols != cols_) {
        for (auto& r : cells_) r.resize(static_cast<size_t>(cols));
        cols_ = cols;
    }
    cells_.resize(static_cast<size_t>(rows), std::vector<std::string>(static_cast<size_t>(cols)));
}

void TextGrid::reset(int rows, int cols) {
    cells_.clear();
    cols_ = 0;
    resize(rows, cols);
}

bool TextGrid::has_no_data() const {
    if (cols_ < 2) return true;
    for (size_t r = 1; r < cells_.size(); ++r)
        if (!cells_[r][1].empty()) return false;
    return true;
}

void TextGrid::number_rows() {
    if (cols_ < 1) return;
    for (size_t r = 1; r < cells_.size(); ++r) cells_[r][0] = std::to_string(r);
}

void TextGrid::remove_empty_rows(int min_rows) {
    if (!cells_.empty()) {
        auto is_empty = [](const std::vector<std::string>& row) {
            return std::all_of(row.begin() + (row.empty() ? 0 : 1), row.end(),
                               [](const std::string& cell) { return cell.empty(); });
        };
        // Row 0 is the header and always stays.
        auto first_removed = std::remove_if(cells_.begin() + 1, cells_.end(), is_empty);
        cells_.erase(first_removed, cells_.end());
    }
    if (rows() < min_rows) resize(min_rows, cols_);
}

}  // namespace tarvex
