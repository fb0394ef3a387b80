#pragma once
// "Find Duplicates" / "Remove Duplicates": the duplicates of the store, each with the row it
// repeats, ticked for removal. A double-click opens the duplicate's group on its row; "Remove
// Ticked" hands the ticked rows to the main window, which removes them as one undo step.
#include <QWidget>
#include <functional>
#include <vector>

#include "core/editor/duplicates.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvex {

class DuplicatesWindow : public QWidget {
    Q_OBJECT
  public:
    DuplicatesWindow(const SystemStore& store, const GroupFiles& files, QWidget* parent = nullptr);

    // Lists the duplicates again (after beforeFind), all ticked.
    void find();
    // The ticked rows, in list order.
    std::vector<RowPlace> ticked() const;
    void remove_ticked();

    QTreeWidget* list() const { return list_; }
    QCheckBox* across() const { return across_; }
    QPushButton* remove_button() const { return remove_; }
    QLabel* summary() const { return summary_; }

    // Writes the open editor back, so the list sees what the user sees.
    std::function<void()> beforeFind;
    // Removes the rows; returns how many went.
    std::function<int(const std::vector<RowPlace>&)> removeRows;

  signals:
    void openRow(int system, int group, int row);

  private:
    void activated(QTreeWidgetItem* item);
    void tick_all(bool on);

    const SystemStore& store_;
    const GroupFiles& files_;
    QTreeWidget* list_ = nullptr;
    QCheckBox* across_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* summary_ = nullptr;
};

// Puts a row place on a list item (column 0, user roles) and reads it back.
void set_place(QTreeWidgetItem* item, const RowPlace& place);
RowPlace place_of(const QTreeWidgetItem* item);

}  // namespace tarvex
