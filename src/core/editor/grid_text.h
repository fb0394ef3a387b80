#pragma once
// Alpha tag transforms: justification on the scanner's fixed-width display, case conversion,
// and the tags made from a row's frequency, talkgroup or ID.
#include <string>
#include <string_view>

#include "core/editor/grid_ops.h"

namespace tarvex {
class Prompter;
}

namespace tarvex::grid {

// The display width tags are justified to; 0 or less means the 64-character tag limit.
inline constexpr int k_justify_width = 30;
inline constexpr int k_alpha_tag_limit = 64;

enum AlignCode { align_left = 0, align_center = 1, align_right = 2 };
enum class CaseCode { Upper, Lower, Special };

// Left: blanks trimmed at both ends, never cut. Center: cut to `width`, trimmed, floor((width -
// length) / 2) blanks in front. Right: cut, trimmed, width - length blanks in front.
std::string align_text(std::string_view text, int code, int width = k_justify_width);
// "up", "low", "sp" (Special: a letter after anything but a letter, digit or apostrophe is
// upper case, every other letter lower case: "MAIN ST FIRE" -> "Main St Fire", "FIRE-TAC 1ST"
// -> "Fire-Tac 1st").
std::string convert_case(std::string_view text, CaseCode code);
// Case code from its short name "up", "low", "sp" or a menu caption; Upper for anything else.
CaseCode case_code_from(std::string_view name);
// Alignment code from "Left", "Center", "Right"; -1 for anything else.
int align_code_from(std::string_view caption);

// align_text on column `column` of every data row.
GridChange g_align_text(TextGrid& grid, int column, int code, int width = k_justify_width);
// convert_case on the Alpha Tag cells of the rows of the range (select_all: the whole grid).
GridChange change_case(TextGrid& grid, GridKind kind, CellRange range, CaseCode code);

// The tag made from a row: channel and site grids frequency + "MHz" ("851.0125MHz"),
// talkgroups "ID:" + talkgroup, unit IDs "UID:" + ID, search ranges the first five characters
// of start and stop joined by "-" ("851.0-869.9"). Empty when the row's key is empty.
std::string tag_from_row(const TextGrid& grid, GridKind kind, int row);
// tag_from_row into the Alpha Tag of every row of the range that has a key. Grids without an
// Alpha Tag column change nothing.
GridChange copy_to_alpha_tag(TextGrid& grid, GridKind kind, CellRange range);

}  // namespace tarvex::grid
