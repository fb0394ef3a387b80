#pragma once
// EDACS talkgroup notation. A group ID is 11 bits; the usual fleet map splits it 4-4-3 into
// agency (0..15), fleet (0..15) and subfleet (0..7), written "AA-FFS": two digits of agency,
// a dash, two digits of fleet and one of subfleet. 586 = 0100 1001 010 = "04-092".
// decimal = agency * 128 + fleet * 8 + subfleet.
#include <optional>
#include <string>
#include <string_view>

#include "core/editor/grid_ops.h"

namespace tarvex::grid {

inline constexpr int k_edacs_max_id = 2047;

// "AA-FFS" for 0..2047, nullopt otherwise.
std::optional<std::string> afs_from_decimal(int id);
// "04-092" (agency 1-2 digits, then fleet and subfleet as 2-3 digits, blanks around allowed)
// to its decimal; nullopt for anything else or fields out of range.
std::optional<int> decimal_from_afs(std::string_view afs);

// "Convert Decimal": the talkgroups in AFS notation of the rows of the range become decimal.
// "Convert AFS": decimal talkgroups 0..2047 become AFS. Other cells stay; `count` tells how
// many changed.
GridChange convert_decimal(TextGrid& grid, GridKind kind, CellRange range);
GridChange convert_afs(TextGrid& grid, GridKind kind, CellRange range);

}  // namespace tarvex::grid
