#include "app/editor/grid_model.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

#include "app/common/latin1.h"

namespace tarvex {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::set_titles(const std::vector<std::string>& titles) {
    beginResetModel();
    titles_.clear();
    titles_ << QStringLiteral("#");
    for (const auto& t : titles) titles_ << to_q(t);
    if (grid_.cols() != titles_.size()) grid_.resize(std::max(grid_.rows(), 1), titles_.size());
    endResetModel();
}

void GridModel::apply(const std::function<void(TextGrid&)>& change) {
    // The change runs on a copy: views may still ask for the old rows until the model has
    // announced the reset, so the grid they see changes only between begin and end.
    TextGrid next = grid_;
    change(next);
    if (next.rows() == grid_.rows() && next.cols() == grid_.cols()) {
        // A change that keeps the shape only repaints; one that moves rows resets the model.
        const int rows = grid_.rows(), cols = grid_.cols();
        grid_ = std::move(next);
        if (rows > 1 && cols > 0) emit dataChanged(index(0, 0), index(rows - 2, cols - 1));
        return;
    }
    beginResetModel();
    grid_ = std::move(next);
    endResetModel();
}

void GridModel::replace(TextGrid grid) {
    if (grid.rows() < 1) grid.resize(1, titles_.size());
    if (grid.rows() == grid_.rows() && grid.cols() == grid_.cols()) {
        grid_ = std::move(grid);
        if (grid_.rows() > 1 && grid_.cols() > 0)
            emit dataChanged(index(0, 0), index(grid_.rows() - 2, grid_.cols() - 1));
        return;
    }
    beginResetModel();
    grid_ = std::move(grid);
    endResetModel();
}

void GridModel::set_cell(int grid_row, int col, const std::string& value) {
    if (grid_row < 1 || grid_row >= grid_.rows() || col < 0 || col >= grid_.cols()) return;
    grid_.at(grid_row, col) = value;
    QModelIndex i = index(grid_row - 1, col);
    emit dataChanged(i, i);
}

void GridModel::append_rows(int count) {
    if (count <= 0) return;
    const int first = grid_.rows();
    beginInsertRows({}, first - 1, first - 1 + count - 1);
    grid_.set_rows(first + count);
    for (int r = first; r < grid_.rows(); ++r) grid_.at(r, 0) = std::to_string(r);
    endInsertRows();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.rows() - 1);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.cols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int r = index.row() + 1, c = index.column();
    if (r >= grid_.rows() || c >= grid_.cols()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return to_q(grid_.at(r, c));
        case Qt::TextAlignmentRole:
            if (c == 0) return int(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        case Qt::BackgroundRole:
            if (c == 0) return QApplication::palette().brush(QPalette::Button);
            if (problem_of && !problem_of(r, c).empty()) return QBrush(QColor(255, 200, 200));
            return {};
        case Qt::ToolTipRole:
            if (c > 0 && problem_of) {
                std::string problem = problem_of(r, c);
                if (!problem.empty()) return to_q(problem);
            }
            return {};
        default:
            return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == 0) return false;
    const int r = index.row() + 1, c = index.column();
    std::string text = from_q(value.toString());
    if (grid_.at(r, c) == text) return false;
    if (edit_hook)
        edit_hook(r, c, text);
    else
        set_cell(r, c, text);
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section < titles_.size() ? titles_[section] : QVariant();
    return section + 1;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() > 0) f |= Qt::ItemIsEditable;
    return f;
}

}  // namespace tarvex
