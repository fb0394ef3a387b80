#pragma once
// How wide a grid column starts: wide enough for its title and for the values it typically
// holds, so neither "Volume Offset" nor a full alpha tag is cut on first sight.
#include <string>
#include <vector>

#include "core/editor/grid_columns.h"

namespace tarvex::grid {

// The text whose width the column must show: the longer of its title and its widest typical
// value (the longest drop-down value, or a sample of the longest usual value of a text column).
std::string widest_sample(GridKind kind, int col);

// The widest usual value alone (no title); "" for the row-number column.
std::string value_sample(GridKind kind, int col);
// The narrowest text a column keeps whole when the window is too narrow for every column: the
// long free texts (alpha tag, service type) are cut there, with the whole text as the cell's tool
// tip; every other column keeps its widest usual value.
std::string least_sample(GridKind kind, int col);

// What one column needs, in pixels: its whole title on one line, its title on two lines (the
// longest word), its widest usual value and the least it may be cut to. A column the user sized
// has all four equal to its width.
struct ColumnRoom {
    int title = 0;
    int title_word = 0;
    int value = 0;
    int least = 0;
};

// Column widths that fill no more than `room` pixels when that can be done, in this order of
// giving way: titles stay on one line; titles of the widest columns go to two lines; the cut
// texts narrow (all in proportion) down to their least. When even the least widths are wider
// than the room, those are the widths and the grid scrolls sideways.
std::vector<int> fit_widths(const std::vector<ColumnRoom>& columns, int room);

}  // namespace tarvex::grid
