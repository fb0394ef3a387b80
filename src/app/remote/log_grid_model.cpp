#include "app/remote/log_grid_model.h"

#include "app/common/latin1.h"

namespace tarvex {

int LogGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : remote::k_log_rows;
}

int LogGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : remote::k_log_cols;
}

QVariant LogGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    return to_q(log_.row(index.row() + 1)[static_cast<size_t>(index.column())]);
}

QVariant LogGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    auto headings = remote::log_headings();
    if (section < 0 || section >= static_cast<int>(headings.size())) return {};
    // The headings are the log file's own; a translation only changes how the grid shows them.
    const std::string heading(headings[static_cast<size_t>(section)]);
    return tr(heading.c_str());
}

void LogGridModel::refresh() {
    emit dataChanged(index(0, 0), index(remote::k_log_rows - 1, remote::k_log_cols - 1));
}

}  // namespace tarvex
