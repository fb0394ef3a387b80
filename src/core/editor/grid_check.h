#pragma once
// "Check" (Validate): every cell of a grid against its column's rules. What has one right
// answer is corrected in place (a number above a column's maximum becomes the maximum, a list
// word in the wrong case gets the list's spelling, an empty list cell of a used row gets the
// list's default, an alpha tag is cut to 64 characters, a talkgroup gets its cleaned form);
// everything else is reported and left as typed, for the user to decide. Empty rows are not
// checked.
#include <string>
#include <vector>

#include "core/editor/grid_columns.h"

namespace tarvex::grid {

// The scanner's coverage, 25 MHz to 1300 MHz: what validation accepts and easy fill produces.
inline constexpr long long k_lowest_hz = 25000000;
inline constexpr long long k_highest_hz = 1300000000;

struct Finding {
    int row = 0;
    int col = 0;
    std::string value;      // the cell as it was
    std::string corrected;  // the new value when `fixed`
    bool fixed = false;
    std::string message;  // "Row 3, Alert Level: 20 is above 15, set to 15"
};

// With `correct` false nothing changes and the corrections are reported as proposals.
std::vector<Finding> validate_grid(TextGrid& grid, GridKind kind, bool correct = true);

}  // namespace tarvex::grid
