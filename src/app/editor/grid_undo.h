#pragma once
// Undo steps of the grid editor. One cell edit stores the cell's two values; every row or block
// operation stores the whole grid before and after, which stays cheap even for the largest
// group (a few hundred kilobytes) and can never get out of step with what the core did.
#include <QPointer>
#include <QUndoCommand>
#include <string>

#include "core/model/text_grid.h"

namespace tarvex {

class GridModel;

class CellEditCommand : public QUndoCommand {
  public:
    CellEditCommand(GridModel* model, int grid_row, int col, std::string before, std::string after);
    void undo() override;
    void redo() override;

  private:
    QPointer<GridModel> model_;
    int row_, col_;
    std::string before_, after_;
};

class GridSnapshotCommand : public QUndoCommand {
  public:
    // `before` is the grid as it was; the model already holds the result of the operation.
    GridSnapshotCommand(GridModel* model, const QString& text, TextGrid before);
    void undo() override;
    void redo() override;

  private:
    QPointer<GridModel> model_;
    TextGrid before_, after_;
    bool first_ = true;
};

}  // namespace tarvex
