#include "app/editor/find_in_database_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/common/latin1.h"

namespace tarvex {

namespace {
QString kind_word(MatchKind kind) {
    switch (kind) {
        case MatchKind::System:
            return QObject::tr("system");
        case MatchKind::Site:
            return QObject::tr("site");
        case MatchKind::SiteFrequency:
            return QObject::tr("site frequency");
        case MatchKind::Group:
            return QObject::tr("group");
        case MatchKind::Channel:
            return QObject::tr("channel");
        case MatchKind::Talkgroup:
            return QObject::tr("talkgroup");
    }
    return {};
}
}  // namespace

void StoreHitsModel::set_hits(std::vector<StoreHit> hits) {
    beginResetModel();
    hits_ = std::move(hits);
    endResetModel();
}

const StoreHit* StoreHitsModel::hit(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= hits_.size()) return nullptr;
    return &hits_[static_cast<size_t>(row)];
}

int StoreHitsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(hits_.size());
}

int StoreHitsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StoreHitsModel::data(const QModelIndex& index, int role) const {
    const StoreHit* h = index.isValid() ? hit(index.row()) : nullptr;
    if (!h) return {};
    if (role == Qt::ToolTipRole)
        return tr("A %1 of system %2").arg(kind_word(h->kind)).arg(h->system_position);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case SystemColumn:
            return to_q(h->system_name);
        case GroupColumn:
            return to_q(h->group_name);
        case RowColumn:
            return h->row > 0 ? QVariant(h->row) : QVariant(QString());
        case NameColumn:
            return h->name.empty() ? kind_word(h->kind) : to_q(h->name);
        case ValueColumn:
            return to_q(h->value);
        default:
            return {};
    }
}

QVariant StoreHitsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* titles[] = {"System", "Group", "Row", "Name", "Value"};
    if (section < 0 || section >= ColumnCount) return {};
    return tr(titles[section]);
}

FindInDatabaseWindow::FindInDatabaseWindow(const SystemStore& store, const GroupFiles& files,
                                           QWidget* parent)
    : QWidget(parent), store_(store), files_(files) {
    setObjectName(QStringLiteral("frm_find_in_database"));
    setWindowTitle(tr("Find in Database"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    box_ = new QLineEdit(this);
    box_->setObjectName(QStringLiteral("txt_find"));
    box_->setPlaceholderText(tr("Name, alpha tag, frequency or talkgroup"));
    box_->setClearButtonEnabled(true);
    box_->setToolTip(
        tr("A frequency in MHz (154.43), a talkgroup or whole megahertz (1234, 463) or part of "
           "a name; quotes search names only (\"463\")"));
    auto* find_button = new QPushButton(tr("Find"), this);
    find_button->setObjectName(QStringLiteral("cmd_find"));
    find_button->setDefault(true);
    top->addWidget(box_, 1);
    top->addWidget(find_button);
    layout->addLayout(top);

    model_ = new StoreHitsModel(this);
    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("lst_hits"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setModel(model_);
    list_->header()->setStretchLastSection(true);
    list_->setToolTip(tr("Double-click or Enter opens the hit in the editor"));
    layout->addWidget(list_, 1);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lbl_summary"));
    layout->addWidget(summary_);

    box_->installEventFilter(this);
    connect(box_, &QLineEdit::returnPressed, this, &FindInDatabaseWindow::find);
    connect(find_button, &QPushButton::clicked, this, &FindInDatabaseWindow::find);
    connect(list_, &QTreeView::activated, this, &FindInDatabaseWindow::activated);
    resize(760, 460);
}

bool FindInDatabaseWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::KeyPress && model_->rowCount() > 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_PageDown) {
            list_->setFocus(Qt::ShortcutFocusReason);
            if (!list_->currentIndex().isValid()) list_->setCurrentIndex(model_->index(0, 0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FindInDatabaseWindow::set_text(const QString& text) {
    box_->setText(text);
}

void FindInDatabaseWindow::find() {
    if (beforeFind) beforeFind();
    const std::string text = from_q(box_->text());
    StoreSearchResult result = find_in_store(store_, files_, text);
    summary_->setText(to_q(store_search_summary(result, text)));
    model_->set_hits(std::move(result.hits));
    for (int c : {StoreHitsModel::SystemColumn, StoreHitsModel::GroupColumn,
                  StoreHitsModel::RowColumn, StoreHitsModel::NameColumn})
        list_->resizeColumnToContents(c);
    if (model_->rowCount() > 0) list_->setCurrentIndex(model_->index(0, 0));
}

void FindInDatabaseWindow::activated(const QModelIndex& index) {
    const StoreHit* h = model_->hit(index.row());
    if (!h) return;
    emit openHit(h->system, h->site, h->group, h->row);
}

}  // namespace tarvex
