#include "app/card/favorites_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/common/qt_progress.h"
#include "app/platform/drive_roots_qt.h"
#include "core/base/prompter.h"
#include "core/card/card_backup.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QString path_text(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

}  // namespace

FavoritesWindow::FavoritesWindow(Settings& settings, Prompter& prompter, SystemStore& store,
                                 GroupFiles& files, DataFolders folders, QWidget* parent,
                                 DriveRoots* roots)
    : QWidget(parent),
      settings_(settings),
      prompter_(prompter),
      store_(store),
      files_(files),
      folders_(std::move(folders)),
      roots_(roots) {
    if (!roots_) {
        own_roots_ = std::make_unique<QtDriveRoots>(&settings_);
        roots_ = own_roots_.get();
    }
    setObjectName(QStringLiteral("frm_favorites"));
    setWindowTitle(tr("Favorites Lists"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    build();
    progress_ = std::make_unique<QtProgress>(progress_label_, status_);
    set_card_commands_enabled(false);
}

FavoritesWindow::~FavoritesWindow() = default;

void FavoritesWindow::build() {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    folder_picture_ = new QLabel(this);
    folder_picture_->setObjectName(QStringLiteral("folder_picture"));
    folder_picture_->setPixmap(style()->standardIcon(QStyle::SP_DirIcon).pixmap(32, 32));
    folder_picture_->setToolTip(tr("Double-click to open the card's favorites_lists folder"));
    folder_picture_->installEventFilter(this);
    top->addWidget(folder_picture_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    top->addWidget(status_, 1);
    auto* detect_button = button("detect", tr("Detect HP1"), this);
    connect(detect_button, &QPushButton::clicked, this, &FavoritesWindow::detect);
    top->addWidget(detect_button);
    layout->addLayout(top);

    card_commands_ = new QWidget(this);
    card_commands_->setObjectName(QStringLiteral("card_commands"));
    auto* card_layout = new QVBoxLayout(card_commands_);
    card_layout->setContentsMargins(0, 0, 0, 0);

    table_ = new QTreeWidget(card_commands_);
    table_->setObjectName(QStringLiteral("lists"));
    table_->setRootIsDecorated(false);
    table_->setHeaderLabels({QStringLiteral("#"), QStringLiteral("Name:"), QStringLiteral("File:"),
                             tr("Location Control:"), tr("Monitor:"), tr("Index:")});
    connect(table_, &QTreeWidget::itemSelectionChanged, this, &FavoritesWindow::table_clicked);
    card_layout->addWidget(table_, 1);

    auto* pick = new QHBoxLayout;
    pick->addWidget(new QLabel(tr("Favorite List:"), card_commands_));
    selector_ = new QComboBox(card_commands_);
    selector_->setObjectName(QStringLiteral("list_selector"));
    connect(selector_, &QComboBox::currentIndexChanged, this, &FavoritesWindow::selector_changed);
    pick->addWidget(selector_, 1);
    card_layout->addLayout(pick);

    auto* switches = new QHBoxLayout;
    switches->addWidget(new QLabel(tr("Name:"), card_commands_));
    name_ = new QLineEdit(card_commands_);
    name_->setObjectName(QStringLiteral("list_name"));
    switches->addWidget(name_, 1);
    location_ = new QCheckBox(tr("Location Control"), card_commands_);
    location_->setObjectName(QStringLiteral("location_control"));
    location_->setChecked(true);
    monitor_ = new QCheckBox(tr("Monitor"), card_commands_);
    monitor_->setObjectName(QStringLiteral("monitor"));
    monitor_->setChecked(true);
    switches->addWidget(location_);
    switches->addWidget(monitor_);
    card_layout->addLayout(switches);

    pages_ = new QTabWidget(card_commands_);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->addTab(build_upload_page(), tr("Upload"));
    pages_->addTab(build_read_page(), tr("Read"));
    pages_->addTab(build_configuration_page(), tr("Configuration"));
    pages_->addTab(build_backup_page(), tr("Backup"));
    card_layout->addWidget(pages_);
    layout->addWidget(card_commands_, 1);

    auto* bottom = new QHBoxLayout;
    progress_label_ = new QLabel(this);
    progress_label_->setObjectName(QStringLiteral("progress"));
    bottom->addWidget(progress_label_, 1);
    auto* close_button = button("close", tr("Close"), this);
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(close_button);
    layout->addLayout(bottom);
    resize(760, 560);
}

QWidget* FavoritesWindow::build_upload_page() {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    new_list_ = new QRadioButton(tr("New Favorite List"), page);
    new_list_->setObjectName(QStringLiteral("new_list"));
    new_list_->setChecked(true);
    existing_list_ = new QRadioButton(tr("Existing Favorite List"), page);
    existing_list_->setObjectName(QStringLiteral("existing_list"));
    l->addWidget(new_list_);
    l->addWidget(existing_list_);
    auto* b = button("upload", tr("Upload"), page);
    connect(b, &QPushButton::clicked, this, &FavoritesWindow::upload);
    l->addWidget(b);
    l->addStretch();
    return page;
}

QWidget* FavoritesWindow::build_read_page() {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    l->addWidget(new QLabel(tr("The editor's data is replaced by the chosen list."), page));
    auto* b = button("load", tr("Load"), page);
    connect(b, &QPushButton::clicked, this, &FavoritesWindow::load);
    l->addWidget(b);
    l->addStretch();
    return page;
}

QWidget* FavoritesWindow::build_configuration_page() {
    auto* page = new QWidget;
    auto* l = new QGridLayout(page);
    auto add = [&](const char* name, const QString& caption, int row, int col, auto slot) {
        auto* b = button(name, caption, page);
        connect(b, &QPushButton::clicked, this, slot);
        l->addWidget(b, row, col);
    };
    add("apply", tr("Apply"), 0, 0, &FavoritesWindow::apply);
    add("move_up", tr("Move Up"), 0, 1, [this] { move(-1); });
    add("move_down", tr("Move Down"), 0, 2, [this] { move(+1); });
    add("orphans", tr("Orphan Scan"), 1, 0, &FavoritesWindow::orphans);
    add("delete_list", tr("Delete"), 1, 1, &FavoritesWindow::delete_list);
    add("save_config", tr("Save Config"), 1, 2, &FavoritesWindow::save_config);
    return page;
}

QWidget* FavoritesWindow::build_backup_page() {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    auto* backups = new QGroupBox(tr("Backup"), page);
    auto* bl = new QGridLayout(backups);
    struct B {
        const char* name;
        const char* caption;
        BackupKind kind;
    };
    const B list[] = {
        {"backup_fav_on_card", QT_TR_NOOP("Backup Favorites on HP-1"), BackupKind::FavoritesOnCard},
        {"copy_fav_to_pc", QT_TR_NOOP("Copy Favorites to PC"), BackupKind::FavoritesCopyToPc},
        {"backup_fav_to_pc", QT_TR_NOOP("Backup Favorites to PC"), BackupKind::FavoritesBackupToPc},
        {"backup_card_to_pc", QT_TR_NOOP("Backup HP-1 to PC"), BackupKind::WholeCard},
        {"copy_audio_to_pc", QT_TR_NOOP("Copy Audio to PC"), BackupKind::Audio},
    };
    int i = 0;
    for (const auto& b : list) {
        auto* w = button(b.name, tr(b.caption), backups);
        int kind = static_cast<int>(b.kind);
        connect(w, &QPushButton::clicked, this, [this, kind] { backup(kind); });
        bl->addWidget(w, i / 3, i % 3);
        ++i;
    }
    l->addWidget(backups);
    auto* service = new QGroupBox(tr("Upload Service Search"), page);
    auto* sl = new QHBoxLayout(service);
    for (int n = 0; n < static_cast<int>(k_service_search_lists.size()); ++n) {
        QString name = QStringLiteral("service_search_%1").arg(n);
        auto* w =
            new QPushButton(to_q(k_service_search_lists[static_cast<size_t>(n)].caption), service);
        w->setObjectName(name);
        connect(w, &QPushButton::clicked, this, [this, n] { service_search(n); });
        sl->addWidget(w);
    }
    l->addWidget(service);
    l->addStretch();
    return page;
}

void FavoritesWindow::show_page(Page page) {
    pages_->setCurrentIndex(static_cast<int>(page));
}

void FavoritesWindow::set_card_commands_enabled(bool on) {
    card_commands_->setEnabled(on);
    folder_picture_->setEnabled(on);
}

void FavoritesWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (detection_scheduled_ || detect_delay_ < 0) return;
    detection_scheduled_ = true;
    // A card plugged in a moment ago may not be mounted yet.
    QTimer::singleShot(detect_delay_, this, &FavoritesWindow::detect);
}

void FavoritesWindow::detect() {
    manager_.reset();
    set_card_commands_enabled(false);
    table_->clear();
    selector_->clear();
    detection_ = detect_hp1(*roots_, folders_.data, &settings_);
    status_->setText(to_q(detection_.status));
    switch (detection_.decision) {
        case CardDecision::NotFound:
            return;
        case CardDecision::FirmwareTooOld:
            prompter_.tell(k_firmware_message);
            close();
            return;
        case CardDecision::Accepted:
            break;
    }
    manager_ = std::make_unique<FavoritesManager>(detection_.folders(), copy_);
    manager_->read_config(prompter_);
    set_card_commands_enabled(true);
    refresh(settings_.get_int("startup", "startup", 0));
}

void FavoritesWindow::refresh(int select_number) {
    QSignalBlocker block_table(table_), block_selector(selector_);
    table_->clear();
    selector_->clear();
    if (!manager_) return;
    int position = 0, selected = -1;
    for (const auto& row : manager_->rows()) {
        ++position;
        auto* item = new QTreeWidgetItem(table_);
        item->setText(0, QString::number(position));
        item->setText(1, to_q(row.name));
        item->setText(2, to_q(row.file));
        item->setText(3, row.location ? tr("On") : tr("Off"));
        item->setText(4, row.monitor ? tr("On") : tr("Off"));
        item->setText(5, QString::number(row.number));
        item->setData(0, Qt::UserRole, row.number);
        selector_->addItem(to_q(row.name), row.number);
        if (row.number == select_number) selected = position - 1;
    }
    selector_->setCurrentIndex(selected);
    if (selected >= 0) table_->setCurrentItem(table_->topLevelItem(selected));
    for (int c = 0; c < table_->columnCount(); ++c) table_->resizeColumnToContents(c);
}

int FavoritesWindow::selected_number() const {
    return selector_->currentIndex() < 0 ? 0 : selector_->currentData().toInt();
}

void FavoritesWindow::selector_changed() {
    int number = selected_number();
    const FavoritesRow* row = manager_ ? manager_->row(number) : nullptr;
    if (!row) return;
    name_->setText(to_q(row->name));
    location_->setChecked(row->location);
    monitor_->setChecked(row->monitor);
    QSignalBlocker block(table_);
    for (int i = 0; i < table_->topLevelItemCount(); ++i)
        if (table_->topLevelItem(i)->data(0, Qt::UserRole).toInt() == number)
            table_->setCurrentItem(table_->topLevelItem(i));
}

void FavoritesWindow::table_clicked() {
    auto* item = table_->currentItem();
    if (!item) return;
    int index = selector_->findData(item->data(0, Qt::UserRole));
    if (index >= 0) selector_->setCurrentIndex(index);
}

void FavoritesWindow::upload() {
    if (!manager_) return;
    if (before_upload && !before_upload()) return;
    UploadChoice choice;
    choice.existing = existing_list_->isChecked();
    choice.selected = selected_number();
    choice.name = from_q(name_->text());
    choice.location = location_->isChecked();
    choice.monitor = monitor_->isChecked();
    size_t before = manager_->rows().size();
    if (!manager_->upload(choice, store_, files_, prompter_, *progress_)) return;
    int number = choice.existing
                     ? choice.selected
                     : (manager_->rows().size() > before ? manager_->rows().back().number : 0);
    refresh(number);
}

void FavoritesWindow::load() {
    if (!manager_) return;
    // Without a chosen list the manager only says so; there is nothing to ask about yet.
    if (selected_number() > 0 && confirm_load && !confirm_load()) return;
    std::function<void()> clear = clear_editor_data;
    if (!manager_->load(selected_number(), store_, files_, clear, prompter_, *progress_)) return;
    emit list_loaded();
    close();
}

void FavoritesWindow::delete_list() {
    if (!manager_ || !manager_->delete_list(selected_number(), prompter_)) return;
    refresh(0);
    close();
}

void FavoritesWindow::apply() {
    if (!manager_) return;
    int number = selected_number();
    if (manager_->apply(number, from_q(name_->text()), location_->isChecked(),
                        monitor_->isChecked(), prompter_))
        refresh(number);
}

void FavoritesWindow::move(int delta) {
    if (!manager_) return;
    int number = selected_number();
    if (manager_->move(number, delta)) refresh(number);
}

void FavoritesWindow::orphans() {
    if (!manager_) return;
    int number = selected_number();
    if (!manager_->orphan_scan().empty()) refresh(number);
}

void FavoritesWindow::save_config() {
    if (manager_) manager_->save_config(prompter_);
}

void FavoritesWindow::backup(int kind) {
    if (!manager_) return;
    run_backup(static_cast<BackupKind>(kind), manager_->card(), folders_.data, prompter_,
               *progress_, copy_);
}

void FavoritesWindow::service_search(int index) {
    if (!manager_) return;
    int number = upload_service_search(*manager_, index, folders_.service_search, prompter_);
    if (number > 0) refresh(number);
}

void FavoritesWindow::open_card_folder() {
    if (!manager_) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(path_text(manager_->card().favorites)));
}

bool FavoritesWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folder_picture_ && event->type() == QEvent::MouseButtonDblClick) {
        open_card_folder();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FavoritesWindow::closeEvent(QCloseEvent* event) {
    if (manager_) {
        manager_->close(prompter_);
        settings_.SaveSetting("startup", "startup", std::to_string(selected_number()));
    }
    QWidget::closeEvent(event);
}

}  // namespace tarvex
