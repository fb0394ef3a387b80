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

// Error: the scanner cannot use the value and there is no one right answer. Correction: a value
// with one right spelling or limit. Default: an empty list cell that gets its column's default.
enum class Severity { Error, Correction, Default };

struct Finding {
    int row = 0;
    int col = 0;
    std::string value;      // the cell as it was
    std::string corrected;  // the new value when `fixed`
    bool fixed = false;
    std::string message;  // "Row 3, Alert Level: 20 is above 15, set to 15"
    Severity severity = Severity::Error;
};

// With `correct` false nothing changes and the corrections are reported as proposals.
std::vector<Finding> validate_grid(TextGrid& grid, GridKind kind, bool correct = true);

// What Check shows: errors first, apart from what Fix would change, and the defaults of empty
// list cells summed up instead of listed one by one.
struct CheckReport {
    std::vector<Finding> errors;       // by row
    std::vector<Finding> corrections;  // by row, proposals only
    int defaults = 0;                  // empty list cells Fix fills in
    int defaults_rows = 0;             // the rows they are in
    bool fixable() const { return !corrections.empty() || defaults > 0; }
};
CheckReport check_report(const TextGrid& grid, GridKind kind);

// A typed cell's error, checked as it is entered: "" when the scanner can use it (corrections
// and defaults are Check's business). Empty rows have none.
std::string cell_error(const TextGrid& grid, GridKind kind, int row, int col);

}  // namespace tarvex::grid
