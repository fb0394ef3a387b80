#include "app/tools/lockouts_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/common/latin1.h"

namespace tarvex {

LockoutsWindow::LockoutsWindow(const SystemStore& store, const GroupFiles& files, QWidget* parent)
    : QWidget(parent), store_(store), files_(files) {
    setObjectName(QStringLiteral("frm_lockouts"));
    setWindowTitle(tr("LockOut Channels"));
    auto* layout = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lst_lockouts"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(
        {tr("Kind"), tr("System"), tr("Group"), tr("Row"), tr("Value"), tr("Name / Alpha Tag")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(list_);
    auto* bottom = new QHBoxLayout;
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lbl_summary"));
    auto* again = new QPushButton(tr("Refresh"), this);
    unlock_ticked_ = new QPushButton(tr("Unlock Ticked"), this);
    unlock_ticked_->setObjectName(QStringLiteral("cmd_unlock"));
    unlock_all_ = new QPushButton(tr("Unlock All"), this);
    unlock_all_->setObjectName(QStringLiteral("cmd_unlock_all"));
    bottom->addWidget(summary_, 1);
    bottom->addWidget(again);
    bottom->addWidget(unlock_ticked_);
    bottom->addWidget(unlock_all_);
    layout->addLayout(bottom);
    connect(again, &QPushButton::clicked, this, &LockoutsWindow::refresh);
    connect(unlock_ticked_, &QPushButton::clicked, this, &LockoutsWindow::unlock_ticked);
    connect(unlock_all_, &QPushButton::clicked, this, &LockoutsWindow::unlock_all);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const Lockout& e = entries_[static_cast<size_t>(list_->indexOfTopLevelItem(item))];
        if (e.kind == LockoutKind::Channel || e.kind == LockoutKind::Talkgroup ||
            e.kind == LockoutKind::Group)
            emit openRow(e.at.system, e.at.group, e.at.row);
    });
    resize(720, 480);
}

void LockoutsWindow::refresh() {
    if (beforeRefresh) beforeRefresh();
    entries_ = find_lockouts(store_, files_);
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const Lockout& e : entries_) {
        const bool row = e.kind == LockoutKind::Channel || e.kind == LockoutKind::Talkgroup;
        auto* item = new QTreeWidgetItem(
            {to_q(lockout_kind_name(e.kind)), QString::number(e.at.system_position),
             e.at.group_position ? QString::number(e.at.group_position) : QString(),
             row ? QString::number(e.at.row) : QString(), to_q(e.value), to_q(e.name)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        items.append(item);
    }
    list_->addTopLevelItems(items);
    summary_->setText(entries_.empty()
                          ? tr("Nothing is locked out.")
                          : tr("%n locked out.", nullptr, static_cast<int>(entries_.size())));
    unlock_ticked_->setEnabled(!entries_.empty());
    unlock_all_->setEnabled(!entries_.empty());
}

void LockoutsWindow::unlock_ticked() {
    unlock(true);
}

void LockoutsWindow::unlock_all() {
    unlock(false);
}

void LockoutsWindow::unlock(bool ticked_only) {
    std::vector<Lockout> chosen;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (!ticked_only || list_->topLevelItem(i)->checkState(0) == Qt::Checked)
            chosen.push_back(entries_[static_cast<size_t>(i)]);
    if (chosen.empty() || !unlockEntries) return;
    int done = unlockEntries(chosen);
    refresh();
    summary_->setText(tr("%n unlocked.", nullptr, done) + QLatin1Char(' ') + summary_->text());
}

}  // namespace tarvex
