#pragma once
// How wide a grid column starts: wide enough for its title and for the values it typically
// holds, so neither "Volume Offset" nor a full alpha tag is cut on first sight.
#include <string>

#include "core/editor/grid_columns.h"

namespace tarvex::grid {

// The text whose width the column must show: the longer of its title and its widest typical
// value (the longest drop-down value, or a sample of the longest usual value of a text column).
std::string widest_sample(GridKind kind, int col);

}  // namespace tarvex::grid
