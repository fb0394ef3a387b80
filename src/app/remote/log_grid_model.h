#pragma once
// The reception log as the window's grid: a view over the core's table, never a copy.
#include <QAbstractTableModel>

#include "core/remote/reception_log.h"

namespace tarvex {

class LogGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    LogGridModel(const remote::ReceptionLog& log, QObject* parent = nullptr)
        : QAbstractTableModel(parent), log_(log) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The table changed under the view.
    void refresh();

  private:
    const remote::ReceptionLog& log_;
};

}  // namespace tarvex
