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

FavoritesWindow::Page FavoritesWindow::page_for_command(const QString& caption) {
    if (caption.startsWith(QLatin1String("Read"))) return Page::Read;
    if (caption == QLatin1String("Edit Favorites Configuration")) return Page::Configuration;
    if (caption.startsWith(QLatin1String("Backup"))) return Page::Backup;
    return Page::Upload;
}

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
    setWindowTitle(QStringLiteral("Favorites Lists"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    build();
    progress_ = std::make_unique<QtProgress>(progress_label_, status_);
    setCardCommandsEnabled(false);
}

FavoritesWindow::~FavoritesWindow() = default;

void FavoritesWindow::build() {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    folder_picture_ = new QLabel(this);
    folder_picture_->setObjectName(QStringLiteral("folder_picture"));
    folder_picture_->setPixmap(style()->standardIcon(QStyle::SP_DirIcon).pixmap(32, 32));
    folder_picture_->setToolTip(
        QStringLiteral("Double-click to open the card's favorites_lists folder"));
    folder_picture_->installEventFilter(this);
    top->addWidget(folder_picture_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    top->addWidget(status_, 1);
    auto* detect_button = button("detect", QStringLiteral("Detect HP1"), this);
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
                             QStringLiteral("Location Control:"), QStringLiteral("Monitor:"),
                             QStringLiteral("Index:")});
    connect(table_, &QTreeWidget::itemSelectionChanged, this, &FavoritesWindow::tableClicked);
    card_layout->addWidget(table_, 1);

    auto* pick = new QHBoxLayout;
    pick->addWidget(new QLabel(QStringLiteral("Favorite List:"), card_commands_));
    selector_ = new QComboBox(card_commands_);
    selector_->setObjectName(QStringLiteral("list_selector"));
    connect(selector_, &QComboBox::currentIndexChanged, this, &FavoritesWindow::selectorChanged);
    pick->addWidget(selector_, 1);
    card_layout->addLayout(pick);

    auto* switches = new QHBoxLayout;
    switches->addWidget(new QLabel(QStringLiteral("Name:"), card_commands_));
    name_ = new QLineEdit(card_commands_);
    name_->setObjectName(QStringLiteral("list_name"));
    switches->addWidget(name_, 1);
    location_ = new QCheckBox(QStringLiteral("Location Control"), card_commands_);
    location_->setObjectName(QStringLiteral("location_control"));
    location_->setChecked(true);
    monitor_ = new QCheckBox(QStringLiteral("Monitor"), card_commands_);
    monitor_->setObjectName(QStringLiteral("monitor"));
    monitor_->setChecked(true);
    switches->addWidget(location_);
    switches->addWidget(monitor_);
    card_layout->addLayout(switches);

    pages_ = new QTabWidget(card_commands_);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->addTab(buildUploadPage(), QStringLiteral("Upload"));
    pages_->addTab(buildReadPage(), QStringLiteral("Read"));
    pages_->addTab(buildConfigurationPage(), QStringLiteral("Configuration"));
    pages_->addTab(buildBackupPage(), QStringLiteral("Backup"));
    card_layout->addWidget(pages_);
    layout->addWidget(card_commands_, 1);

    auto* bottom = new QHBoxLayout;
    progress_label_ = new QLabel(this);
    progress_label_->setObjectName(QStringLiteral("progress"));
    bottom->addWidget(progress_label_, 1);
    auto* close_button = button("close", QStringLiteral("Close"), this);
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(close_button);
    layout->addLayout(bottom);
    resize(760, 560);
}

QWidget* FavoritesWindow::buildUploadPage() {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    new_list_ = new QRadioButton(QStringLiteral("New Favorite List"), page);
    new_list_->setObjectName(QStringLiteral("new_list"));
    new_list_->setChecked(true);
    existing_list_ = new QRadioButton(QStringLiteral("Existing Favorite List"), page);
    existing_list_->setObjectName(QStringLiteral("existing_list"));
    l->addWidget(new_list_);
    l->addWidget(existing_list_);
    auto* b = button("upload", QStringLiteral("Upload"), page);
    connect(b, &QPushButton::clicked, this, &FavoritesWindow::upload);
    l->addWidget(b);
    l->addStretch();
    return page;
}

QWidget* FavoritesWindow::buildReadPage() {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    l->addWidget(
        new QLabel(QStringLiteral("The editor's data is replaced by the chosen list."), page));
    auto* b = button("load", QStringLiteral("Load"), page);
    connect(b, &QPushButton::clicked, this, &FavoritesWindow::load);
    l->addWidget(b);
    l->addStretch();
    return page;
}

QWidget* FavoritesWindow::buildConfigurationPage() {
    auto* page = new QWidget;
    auto* l = new QGridLayout(page);
    auto add = [&](const char* name, const QString& caption, int row, int col, auto slot) {
        auto* b = button(name, caption, page);
        connect(b, &QPushButton::clicked, this, slot);
        l->addWidget(b, row, col);
    };
    add("apply", QStringLiteral("Apply"), 0, 0, &FavoritesWindow::apply);
    add("move_up", QStringLiteral("Move Up"), 0, 1, [this] { move(-1); });
    add("move_down", QStringLiteral("Move Down"), 0, 2, [this] { move(+1); });
    add("orphans", QStringLiteral("Orphan Scan"), 1, 0, &FavoritesWindow::orphans);
    add("delete_list", QStringLiteral("Delete"), 1, 1, &FavoritesWindow::deleteList);
    add("save_config", QStringLiteral("Save Config"), 1, 2, &FavoritesWindow::saveConfig);
    return page;
}

QWidget* FavoritesWindow::buildBackupPage() {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    auto* backups = new QGroupBox(QStringLiteral("Backup"), page);
    auto* bl = new QGridLayout(backups);
    struct B {
        const char* name;
        const char* caption;
        BackupKind kind;
    };
    const B list[] = {
        {"backup_fav_on_card", "Backup Favorites on HP-1", BackupKind::FavoritesOnCard},
        {"copy_fav_to_pc", "Copy Favorites to PC", BackupKind::FavoritesCopyToPc},
        {"backup_fav_to_pc", "Backup Favorites to PC", BackupKind::FavoritesBackupToPc},
        {"backup_card_to_pc", "Backup HP-1 to PC", BackupKind::WholeCard},
        {"copy_audio_to_pc", "Copy Audio to PC", BackupKind::Audio},
    };
    int i = 0;
    for (const auto& b : list) {
        auto* w = button(b.name, QLatin1String(b.caption), backups);
        int kind = static_cast<int>(b.kind);
        connect(w, &QPushButton::clicked, this, [this, kind] { backup(kind); });
        bl->addWidget(w, i / 3, i % 3);
        ++i;
    }
    l->addWidget(backups);
    auto* service = new QGroupBox(QStringLiteral("Upload Service Search"), page);
    auto* sl = new QHBoxLayout(service);
    for (int n = 0; n < static_cast<int>(k_service_search_lists.size()); ++n) {
        QString name = QStringLiteral("service_search_%1").arg(n);
        auto* w =
            new QPushButton(to_q(k_service_search_lists[static_cast<size_t>(n)].caption), service);
        w->setObjectName(name);
        connect(w, &QPushButton::clicked, this, [this, n] { serviceSearch(n); });
        sl->addWidget(w);
    }
    l->addWidget(service);
    l->addStretch();
    return page;
}

void FavoritesWindow::showPage(Page page) {
    pages_->setCurrentIndex(static_cast<int>(page));
}

void FavoritesWindow::setCardCommandsEnabled(bool on) {
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
    setCardCommandsEnabled(false);
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
    setCardCommandsEnabled(true);
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
        item->setText(3, row.location ? QStringLiteral("On") : QStringLiteral("Off"));
        item->setText(4, row.monitor ? QStringLiteral("On") : QStringLiteral("Off"));
        item->setText(5, QString::number(row.number));
        item->setData(0, Qt::UserRole, row.number);
        selector_->addItem(to_q(row.name), row.number);
        if (row.number == select_number) selected = position - 1;
    }
    selector_->setCurrentIndex(selected);
    if (selected >= 0) table_->setCurrentItem(table_->topLevelItem(selected));
    for (int c = 0; c < table_->columnCount(); ++c) table_->resizeColumnToContents(c);
}

int FavoritesWindow::selectedNumber() const {
    return selector_->currentIndex() < 0 ? 0 : selector_->currentData().toInt();
}

void FavoritesWindow::selectorChanged() {
    int number = selectedNumber();
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

void FavoritesWindow::tableClicked() {
    auto* item = table_->currentItem();
    if (!item) return;
    int index = selector_->findData(item->data(0, Qt::UserRole));
    if (index >= 0) selector_->setCurrentIndex(index);
}

void FavoritesWindow::upload() {
    if (!manager_) return;
    if (beforeUpload && !beforeUpload()) return;
    UploadChoice choice;
    choice.existing = existing_list_->isChecked();
    choice.selected = selectedNumber();
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
    if (selectedNumber() > 0 && confirmLoad && !confirmLoad()) return;
    std::function<void()> clear = clearEditorData;
    if (!manager_->load(selectedNumber(), store_, files_, clear, prompter_, *progress_)) return;
    emit listLoaded();
    close();
}

void FavoritesWindow::deleteList() {
    if (!manager_ || !manager_->delete_list(selectedNumber(), prompter_)) return;
    refresh(0);
    close();
}

void FavoritesWindow::apply() {
    if (!manager_) return;
    int number = selectedNumber();
    if (manager_->apply(number, from_q(name_->text()), location_->isChecked(),
                        monitor_->isChecked(), prompter_))
        refresh(number);
}

void FavoritesWindow::move(int delta) {
    if (!manager_) return;
    int number = selectedNumber();
    if (manager_->move(number, delta)) refresh(number);
}

void FavoritesWindow::orphans() {
    if (!manager_) return;
    int number = selectedNumber();
    if (!manager_->orphan_scan().empty()) refresh(number);
}

void FavoritesWindow::saveConfig() {
    if (manager_) manager_->save_config(prompter_);
}

void FavoritesWindow::backup(int kind) {
    if (!manager_) return;
    run_backup(static_cast<BackupKind>(kind), manager_->card(), folders_.data, prompter_,
               *progress_, copy_);
}

void FavoritesWindow::serviceSearch(int index) {
    if (!manager_) return;
    int number = upload_service_search(*manager_, index, folders_.service_search, prompter_);
    if (number > 0) refresh(number);
}

void FavoritesWindow::openCardFolder() {
    if (!manager_) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(path_text(manager_->card().favorites)));
}

bool FavoritesWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folder_picture_ && event->type() == QEvent::MouseButtonDblClick) {
        openCardFolder();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FavoritesWindow::closeEvent(QCloseEvent* event) {
    if (manager_) {
        manager_->close(prompter_);
        settings_.SaveSetting("startup", "startup", std::to_string(selectedNumber()));
    }
    QWidget::closeEvent(event);
}

}  // namespace tarvex
