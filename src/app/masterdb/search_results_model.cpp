#include "app/masterdb/search_results_model.h"

#include "app/common/latin1.h"

namespace tarvex {

SearchResultsModel::SearchResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

void SearchResultsModel::set_states(const std::vector<StateEntry>& states) {
    state_names_.clear();
    for (const auto& s : states) state_names_.insert(s.number, to_q(s.name));
}

void SearchResultsModel::clear() {
    if (matches_.empty()) return;
    beginResetModel();
    matches_.clear();
    endResetModel();
}

void SearchResultsModel::append(std::vector<SearchMatch>&& batch) {
    if (batch.empty()) return;
    int first = static_cast<int>(matches_.size());
    beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
    matches_.insert(matches_.end(), std::make_move_iterator(batch.begin()),
                    std::make_move_iterator(batch.end()));
    endInsertRows();
}

size_t SearchResultsModel::ticked_count() const {
    size_t n = 0;
    for (const auto& m : matches_) n += m.ticked;
    return n;
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(matches_.size());
}

int SearchResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const SearchMatch& m = matches_[static_cast<size_t>(index.row())];
    if (role == Qt::CheckStateRole && index.column() == StateColumn)
        return m.ticked ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (index.column()) {
        case StateColumn:
            return state_names_.value(m.state, QString::number(m.state));
        case SystemColumn:
            return to_q(m.system);
        case GroupColumn:
            return to_q(m.group);
        case NameColumn:
            return to_q(m.name);
        case ValueColumn:
            return to_q(m.value);
        default:
            return {};
    }
}

bool SearchResultsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount() || index.column() != StateColumn ||
        role != Qt::CheckStateRole)
        return false;
    matches_[static_cast<size_t>(index.row())].ticked =
        static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags SearchResultsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == StateColumn) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const k_titles[] = {QT_TR_NOOP("State:"), QT_TR_NOOP("System:"),
                                           QT_TR_NOOP("Group:"), QT_TR_NOOP("Name:"),
                                           QT_TR_NOOP("Value:")};
    return section >= 0 && section < ColumnCount ? tr(k_titles[section]) : QVariant();
}

}  // namespace tarvex
