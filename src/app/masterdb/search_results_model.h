#pragma once
// The results of a search of the whole master database: one row per match (state, system,
// group, name, value) with a tick box, filled in batches while the search runs.
#include <QAbstractTableModel>
#include <QHash>
#include <vector>

#include "core/masterdb/master_search.h"

namespace tarvex {

class SearchResultsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { StateColumn, SystemColumn, GroupColumn, NameColumn, ValueColumn, ColumnCount };

    explicit SearchResultsModel(QObject* parent = nullptr);

    // The names the state column shows, by state number.
    void set_states(const std::vector<StateEntry>& states);
    void clear();
    void append(std::vector<SearchMatch>&& batch);
    const std::vector<SearchMatch>& matches() const { return matches_; }
    size_t ticked_count() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<SearchMatch> matches_;
    QHash<int, QString> state_names_;
};

}  // namespace tarvex
