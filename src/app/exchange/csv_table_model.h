#pragma once
// The CSV mapper's table as a Qt model: model row r is table row r, so row 0 is the row of
// column assignments (edited through a drop-down of the 18 assignments) and rows 1.. are the
// imported lines.
#include <QAbstractTableModel>
#include <functional>

#include "core/model/text_grid.h"

namespace tarvex {

class CsvTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit CsvTableModel(QObject* parent = nullptr);

    const TextGrid& table() const { return table_; }
    void replace(TextGrid table);
    // Runs a change on the table and refreshes the views.
    void apply(const std::function<void(TextGrid&)>& change);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    TextGrid table_;
};

}  // namespace tarvex
