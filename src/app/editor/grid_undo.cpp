#include "app/editor/grid_undo.h"

#include "app/editor/grid_model.h"

namespace tarvex {

CellEditCommand::CellEditCommand(GridModel* model, int grid_row, int col, std::string before,
                                 std::string after)
    : model_(model),
      row_(grid_row),
      col_(col),
      before_(std::move(before)),
      after_(std::move(after)) {
    setText(QStringLiteral("Edit cell"));
}

void CellEditCommand::undo() {
    if (model_) model_->set_cell(row_, col_, before_);
}

void CellEditCommand::redo() {
    if (model_) model_->set_cell(row_, col_, after_);
}

GridSnapshotCommand::GridSnapshotCommand(GridModel* model, const QString& text, TextGrid before)
    : model_(model), before_(std::move(before)) {
    setText(text);
    if (model_) after_ = model_->grid();
}

void GridSnapshotCommand::undo() {
    if (model_) model_->replace(before_);
}

void GridSnapshotCommand::redo() {
    // The operation has already run when the step is pushed.
    if (first_) {
        first_ = false;
        return;
    }
    if (model_) model_->replace(after_);
}

}  // namespace tarvex
