#pragma once
// The row and cell commands the group grid and the unit-ID grid share (cut, copy, paste, lines,
// shifts, fills, case, alpha tags, clearing): each picks its core routine on the selection and
// hands it to the editor's own change, which records the undo step and writes the grid back.
#include <QString>
#include <functional>
#include <string>

#include "core/editor/commands.h"
#include "core/editor/grid_ops.h"

class QAbstractItemView;

namespace tarvex {

class Prompter;

struct GridCommandTarget {
    grid::GridKind kind;
    grid::CellRange range;  // the selection (the current cell when nothing is selected)
    int at = 1;             // the first selected row, where pastes go
    Prompter& prompter;
    QAbstractItemView* view;
    const TextGrid& grid;
    std::function<grid::GridChange(const QString& label,
                                   const std::function<grid::GridChange(TextGrid&)>& op)>
        change;
    std::function<void(const grid::CellRange&)> select;
};

// Runs `id` when it is one of the shared commands; false leaves it to the editor.
bool run_row_command(CommandId id, GridCommandTarget& target);

}  // namespace tarvex
