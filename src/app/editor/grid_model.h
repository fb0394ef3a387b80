#pragma once
// A table model over the core's TextGrid: model row r is grid row r + 1 (grid row 0 is the
// header row), model column c is grid column c (column 0 the row number "#"). Edits typed by
// the user go through `edit_hook` so the editor can record them for undo; everything else
// changes the grid through `apply`, which tells the views what moved.
#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "core/model/text_grid.h"

namespace tarvex {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit GridModel(QObject* parent = nullptr);

    // Titles of columns 1.. (column 0 is always "#").
    void set_titles(const std::vector<std::string>& titles);
    const QStringList& titles() const { return titles_; }

    const TextGrid& grid() const { return grid_; }
    // Runs a change on the grid and refreshes the views (a reset only when the row or column
    // count changed, so selections survive cell-only changes).
    void apply(const std::function<void(TextGrid&)>& change);
    void replace(TextGrid grid);
    // Sets one cell (grid coordinates) without the edit hook.
    void set_cell(int grid_row, int col, const std::string& value);
    // Adds empty numbered rows at the end; an open cell editor stays open.
    void append_rows(int count);

    // Called for a user's edit of one cell, with grid coordinates and the Latin-1 value; when
    // unset, the value is written directly.
    std::function<void(int grid_row, int col, const std::string& value)> edit_hook;
    // Why a cell's value cannot be used ("" when it can): such cells are shown red with the
    // reason as their tooltip.
    std::function<std::string(int grid_row, int col)> problem_of;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    TextGrid grid_;
    QStringList titles_;
};

}  // namespace tarvex
