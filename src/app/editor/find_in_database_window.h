#pragma once
// "Find in Database…": one search box over every open system (names, alpha tags, frequencies,
// talkgroups); the hits are listed by system, group and row, and activating one opens it in
// the editor with its row selected. The search itself is the core's find_in_store.
#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/editor/store_search.h"

class QLabel;
class QLineEdit;
class QTreeView;

namespace tarvex {

class StoreHitsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { SystemColumn, GroupColumn, RowColumn, NameColumn, ValueColumn, ColumnCount };
    using QAbstractTableModel::QAbstractTableModel;

    void set_hits(std::vector<StoreHit> hits);
    const std::vector<StoreHit>& hits() const { return hits_; }
    const StoreHit* hit(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<StoreHit> hits_;
};

class FindInDatabaseWindow : public QWidget {
    Q_OBJECT
  public:
    FindInDatabaseWindow(const SystemStore& store, const GroupFiles& files,
                         QWidget* parent = nullptr);

    // Searches for the text in the box (after beforeFind).
    void find();
    void set_text(const QString& text);

    QLineEdit* box() const { return box_; }
    QTreeView* list() const { return list_; }
    QLabel* summary() const { return summary_; }
    const StoreHitsModel& model() const { return *model_; }

    // Writes the open editor back, so the search sees what the user sees.
    std::function<void()> beforeFind;

  signals:
    // A system (group -1, site 0), a site (site > 0), a group (row 0) or a row to open.
    void openHit(int system, int site, int group, int row);

  protected:
    // Down in the box goes to the hits, as in a search field with a list under it.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void activated(const QModelIndex& index);

    const SystemStore& store_;
    const GroupFiles& files_;
    QLineEdit* box_ = nullptr;
    QTreeView* list_ = nullptr;
    QLabel* summary_ = nullptr;
    StoreHitsModel* model_ = nullptr;
};

}  // namespace tarvex
