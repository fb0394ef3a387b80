#pragma once
// Typing one key into a selected cell: the grid's shortcut table.
#include <optional>
#include <string>
#include <string_view>

#include "core/editor/grid_columns.h"

namespace tarvex::grid {

// The value a key gives in a cell of `column` holding `current`, or nullopt when the key means
// nothing there. `key` is the typed character (letters in either case, ' ' for Space); both
// minus keys are passed as '-'.
std::optional<std::string> key_entry(Column column, char key, std::string_view current);

// The shortcut list shown by "Shortcuts Overview", one line per entry.
std::string shortcuts_overview();

}  // namespace tarvex::grid
