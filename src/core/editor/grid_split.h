#pragma once
// "Split Comments": frequency and talkgroup lists as web pages and documents give them, one
// entry a line with its comment after the number ("154.3100 Fire Dispatch", "851.0125<TAB>Police
// Tac", "1234 - Public Works"), turned into grid rows.
#include <string_view>

#include "core/editor/grid_ops.h"

namespace tarvex {
class Prompter;
}

namespace tarvex::grid {

inline constexpr std::string_view k_split_needs_alpha_tag =
    "Split Comments only works in grids with an Alpha Tag column";

// Each line's first word goes into the key column (a frequency in MHz, or in Hz above 100000,
// written as MHz text; a talkgroup or unit ID as typed), the rest of the line, its leading
// blanks and separators ("-", ":", ",", ";") dropped, into the Alpha Tag (at most 64
// characters). Rows are written from `at` down, a row that was empty getting the column
// defaults. Lines whose first word is not a key are skipped and named in one message; rows
// beyond 9999 are not written and counted in another.
GridChange split_comments(TextGrid& grid, GridKind kind, int at, std::string_view text,
                          Prompter& prompter);

}  // namespace tarvex::grid
