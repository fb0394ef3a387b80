#include "app/exchange/csv_table_model.h"

#include <QBrush>
#include <QFont>

#include "app/common/latin1.h"
#include "core/exchange/csv_import.h"

namespace tarvex {

CsvTableModel::CsvTableModel(QObject* parent)
    : QAbstractTableModel(parent), table_(csv::empty_table()) {}

void CsvTableModel::replace(TextGrid table) {
    beginResetModel();
    table_ = std::move(table);
    if (table_.rows() < 1) table_ = csv::empty_table();
    endResetModel();
}

void CsvTableModel::apply(const std::function<void(TextGrid&)>& change) {
    const int rows = table_.rows(), cols = table_.cols();
    TextGrid work = table_;
    change(work);
    if (work.rows() != rows || work.cols() != cols) {
        replace(std::move(work));
        return;
    }
    table_ = std::move(work);
    if (rows > 0 && cols > 0) emit dataChanged(index(0, 0), index(rows - 1, cols - 1));
}

int CsvTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rows();
}

int CsvTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.cols();
}

QVariant CsvTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= table_.rows() || index.column() >= table_.cols())
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return to_q(table_.at(index.row(), index.column()));
        case Qt::FontRole:
            if (index.row() == 0) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::BackgroundRole:
            // The assignments stand apart from the data they describe.
            return index.row() == 0 ? QBrush(QColor(0xE0, 0xE6, 0xF4)) : QVariant();
        default:
            return {};
    }
}

bool CsvTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= table_.rows() ||
        index.column() >= table_.cols())
        return false;
    std::string text = from_q(value.toString());
    if (index.row() == 0 && csv::assignment_index(text) < 0) return false;
    table_.at(index.row(), index.column()) = std::move(text);
    emit dataChanged(index, index);
    return true;
}

QVariant CsvTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) return QString::number(section + 1);
    return section == 0 ? tr("Assign") : QVariant(QString::number(section));
}

Qt::ItemFlags CsvTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

}  // namespace tarvex
