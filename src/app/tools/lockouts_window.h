#pragma once
// "Review LockOut Channels": every avoided system, site, group, channel and talkgroup, ticked.
// "Unlock Ticked" and "Unlock All" hand the entries to the main window, which unlocks them as
// one undo step; a double-click opens the group of a channel or talkgroup on its row.
#include <QWidget>
#include <functional>
#include <vector>

#include "core/editor/lockouts.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tarvex {

class LockoutsWindow : public QWidget {
    Q_OBJECT
  public:
    LockoutsWindow(const SystemStore& store, const GroupFiles& files, QWidget* parent = nullptr);

    void refresh();
    void unlock_ticked();
    void unlock_all();

    QTreeWidget* list() const { return list_; }
    QLabel* summary() const { return summary_; }
    QPushButton* unlock_ticked_button() const { return unlock_ticked_; }
    QPushButton* unlock_all_button() const { return unlock_all_; }

    std::function<void()> beforeRefresh;
    // Unlocks the entries; returns how many were unlocked.
    std::function<int(const std::vector<Lockout>&)> unlockEntries;

  signals:
    void openRow(int system, int group, int row);

  private:
    void unlock(bool ticked_only);

    const SystemStore& store_;
    const GroupFiles& files_;
    std::vector<Lockout> entries_;  // in list order
    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* unlock_ticked_ = nullptr;
    QPushButton* unlock_all_ = nullptr;
};

}  // namespace tarvex
