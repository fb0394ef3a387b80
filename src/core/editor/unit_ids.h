#pragma once
// The unit IDs of a trunked system: shown in a grid (the unit-ID layout of the grid editor),
// stored as one "UDD-sss-00-nnnn" node per unit ID below the system's holder "UID-sss-001", and
// kept in a small list file of their own:
//
//   TargetModel HomePatrol-1
//   TARVEX UID LIST V=1.00
//   1,1234,Dispatch,Off,Auto        (row number, then the grid's columns in order)
//
// Rows without a unit ID are neither stored nor written to the list file.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/text_grid.h"

namespace tarvex {

class Prompter;
class SystemStore;

inline constexpr std::string_view k_uid_list_model = "TargetModel HomePatrol-1";
inline constexpr std::string_view k_uid_list_header = "TARVEX UID LIST V=1.00";
inline constexpr std::string_view k_select_system = "Please select a system";
inline constexpr std::string_view k_uid_trunked_only = "Unit IDs belong to trunked systems.";
// A list longer than the store can hold is cut here (one node per unit ID, four-digit rows).
inline constexpr int k_max_unit_ids = 9999;

// Show: the system's unit IDs in store order, one grid row each, fields 1.. of the record line
// in columns 1..; the grid keeps one empty row below them and at least 11 rows. False (with
// "Please select a system") when there is no such system; a system without unit IDs shows an
// empty grid.
bool show_unit_ids(const SystemStore& store, int system, TextGrid& grid, Prompter& prompter);

// Save: the holder's children are replaced by one node per grid row whose Unit ID cell is not
// empty, in grid order (the holder is created when the system has none). A comma in a value is
// stored as ";". Returns the unit IDs stored, or -1 (with a message) when there is no such
// system or it is conventional.
int save_unit_ids(SystemStore& store, int system, const TextGrid& grid, Prompter& prompter);

// The list file's lines (without line ends) for the grid.
std::vector<std::string> unit_id_list_lines(const TextGrid& grid);
// Writes the list file (lines ended by CR LF) through a temporary file beside it; an empty name
// writes nothing. False with a message when it could not be written.
bool write_unit_id_list(const std::filesystem::path& file, const TextGrid& grid,
                        Prompter& prompter);

// Open: the first two lines are skipped; every further non-empty line becomes a grid row with
// its fields 1.. in columns 1.. (fields beyond the grid are dropped); the rows are numbered.
// The grid is emptied first. A file that is not a unit-ID list (its second line is not the
// list header) is refused with a message and the grid is left as it was.
bool read_unit_id_list(const std::filesystem::path& file, TextGrid& grid, Prompter& prompter);

}  // namespace tarvex
