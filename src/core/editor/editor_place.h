#pragma once
// Where the user stands in the open grid, kept across an undo that reloads the grid.

namespace tarvex {

// The current row and column and the first row shown (grid rows, 1-based; -1 when unknown).
struct EditorPlace {
    int row = -1, col = -1, top_row = -1;
    bool operator==(const EditorPlace&) const = default;
};

}  // namespace tarvex
