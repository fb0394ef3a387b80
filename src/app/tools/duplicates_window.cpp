#include "app/tools/duplicates_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/common/latin1.h"

namespace tarvex {

namespace {
constexpr int k_system_role = Qt::UserRole;
constexpr int k_group_role = Qt::UserRole + 1;
constexpr int k_row_role = Qt::UserRole + 2;
constexpr int k_positions_role = Qt::UserRole + 3;

QString where(const RowPlace& p) {
    return QStringLiteral("%1 / %2 / %3").arg(p.system_position).arg(p.group_position).arg(p.row);
}
}  // namespace

void set_place(QTreeWidgetItem* item, const RowPlace& p) {
    item->setData(0, k_system_role, p.system);
    item->setData(0, k_group_role, p.group);
    item->setData(0, k_row_role, p.row);
    item->setData(0, k_positions_role, QPoint(p.system_position, p.group_position));
}

RowPlace place_of(const QTreeWidgetItem* item) {
    QPoint pos = item->data(0, k_positions_role).toPoint();
    return {item->data(0, k_system_role).toInt(), item->data(0, k_group_role).toInt(),
            item->data(0, k_row_role).toInt(), pos.x(), pos.y()};
}

DuplicatesWindow::DuplicatesWindow(const SystemStore& store, const GroupFiles& files,
                                   QWidget* parent)
    : QWidget(parent), store_(store), files_(files) {
    setObjectName(QStringLiteral("frm_duplicates"));
    setWindowTitle(tr("Duplicates"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    across_ = new QCheckBox(tr("Compare across all systems"), this);
    across_->setObjectName(QStringLiteral("chk_across"));
    across_->setToolTip(tr("Without this, only channels of the same system are compared."));
    auto* find_button = new QPushButton(tr("Find"), this);
    find_button->setObjectName(QStringLiteral("cmd_find"));
    top->addWidget(across_);
    top->addStretch();
    top->addWidget(find_button);
    layout->addLayout(top);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lst_duplicates"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({tr("Duplicate (system / group / row)"), tr("Value"), tr("Alpha Tag"),
                            tr("Repeats (system / group / row)")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(list_);

    auto* bottom = new QHBoxLayout;
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lbl_summary"));
    auto* all = new QPushButton(tr("Tick All"), this);
    auto* none = new QPushButton(tr("Tick None"), this);
    remove_ = new QPushButton(tr("Remove Ticked"), this);
    remove_->setObjectName(QStringLiteral("cmd_remove"));
    bottom->addWidget(summary_, 1);
    bottom->addWidget(all);
    bottom->addWidget(none);
    bottom->addWidget(remove_);
    layout->addLayout(bottom);

    connect(find_button, &QPushButton::clicked, this, &DuplicatesWindow::find);
    connect(across_, &QCheckBox::toggled, this, &DuplicatesWindow::find);
    connect(all, &QPushButton::clicked, this, [this] { tick_all(true); });
    connect(none, &QPushButton::clicked, this, [this] { tick_all(false); });
    connect(remove_, &QPushButton::clicked, this, &DuplicatesWindow::remove_ticked);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &DuplicatesWindow::activated);
    resize(720, 480);
}

void DuplicatesWindow::find() {
    if (beforeFind) beforeFind();
    list_->clear();
    const auto dupes = find_duplicates(store_, files_, across_->isChecked());
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(dupes.size()));
    for (const Duplicate& d : dupes) {
        auto* item = new QTreeWidgetItem({where(d.at), to_q(d.value), to_q(d.tag), where(d.first)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        set_place(item, d.at);
        items.append(item);
    }
    list_->addTopLevelItems(items);
    summary_->setText(dupes.empty()
                          ? tr("No duplicates found.")
                          : tr("%n duplicate(s) found.", nullptr, static_cast<int>(dupes.size())));
    remove_->setEnabled(!dupes.empty());
}

std::vector<RowPlace> DuplicatesWindow::ticked() const {
    std::vector<RowPlace> out;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->checkState(0) == Qt::Checked)
            out.push_back(place_of(list_->topLevelItem(i)));
    return out;
}

void DuplicatesWindow::remove_ticked() {
    auto rows = ticked();
    if (rows.empty() || !removeRows) return;
    int removed = removeRows(rows);
    find();
    summary_->setText(tr("%n duplicate(s) removed.", nullptr, removed) + QLatin1Char(' ') +
                      summary_->text());
}

void DuplicatesWindow::activated(QTreeWidgetItem* item) {
    RowPlace p = place_of(item);
    emit openRow(p.system, p.group, p.row);
}

void DuplicatesWindow::tick_all(bool on) {
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        list_->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

}  // namespace tarvex
