#pragma once
// "Check" (Validate): every cell of a grid against its column's rules. What has one right
// answer is corrected in place (a number above a column's maximum becomes the maximum, a list
// word in the wrong case gets the list's spelling, an empty list cell of a used row gets the
// list's default, an alpha tag is cut to 64 characters, a talkgroup gets its cleaned form);
// everything else is reported and left as typed, for the user to decide. Empty rows are not
// checked.
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/grid_columns.h"
#include "core/editor/grid_ops.h"

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
// `type_code` is the system's type from the side table ("1" Motorola ... "9" DMR One Frequency)
// and picks the talkgroup forms of that type; k_any_system checks talkgroups by the common
// cleaning rule alone, for a grid seen without its system.
inline constexpr int k_any_system = -1;
std::vector<Finding> validate_grid(TextGrid& grid, GridKind kind, bool correct = true,
                                   int type_code = k_any_system);

// What Check shows: errors first, apart from what Fix would change, and the defaults of empty
// list cells summed up instead of listed one by one.
struct CheckReport {
    std::vector<Finding> errors;       // by row
    std::vector<Finding> corrections;  // by row, proposals only
    int defaults = 0;                  // empty list cells Fix fills in
    int defaults_rows = 0;             // the rows they are in
    bool fixable() const { return !corrections.empty() || defaults > 0; }
};
CheckReport check_report(const TextGrid& grid, GridKind kind, int type_code = k_any_system);

// A typed cell's error, checked as it is entered: "" when the scanner can use it (corrections
// and defaults are Check's business). Empty rows have none.
std::string cell_error(const TextGrid& grid, GridKind kind, int row, int col,
                       int type_code = k_any_system);

// "Cleanup Grid": what Check's Fix corrects and fills in, then the empty rows taken out, so the
// grid holds its used rows, one after the other, each as the scanner spells it. Errors with no
// single answer stay for the user. One change (one undo step for the caller).
GridChange cleanup_grid(TextGrid& grid, GridKind kind, int type_code = k_any_system);

// Why a talkgroup is not one of the forms its system type takes ("" when it is):
// Motorola decimal 0-65535 or the type-I fleet-subfleet "FFF-SS" (subfleet 0-15); EDACS
// agency-fleet-subfleet "AA-FFS" or decimal 0-2047; LTR area-repeater-group "A-RR-GGG" or the
// same six digits run together (area 0-1, repeater 1-20, group 0-254); P25 1-65535; MotoTRBO and
// DMR 1-16777215. A unit ID written "i" and digits passes for every type.
std::string talkgroup_problem(int type_code, std::string_view value);

}  // namespace tarvex::grid
