// Lines that arrive from another window land in the open grid as one paste would: one undo
// step, the group marked changed, the new rows selected.
#include "app/editor/grid_editor.h"
#include "app/editor/grid_model.h"
#include "core/editor/grid_columns.h"
#include "core/editor/session.h"

namespace tarvex {

bool GridEditor::append_lines(const QString& label, const std::string& text) {
    if (!has_group() || text.empty()) return false;
    const int at = grid::last_used_row(model()->grid(), kind_) + 1;
    grid::GridChange ch = change(label, [&](TextGrid& g) {
        return grid::paste_lines(g, kind_, at, text, session_.prompter());
    });
    return ch.changed || ch.rows_changed;
}

}  // namespace tarvex
