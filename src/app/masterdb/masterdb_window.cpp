#include "app/masterdb/masterdb_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/common/qt_progress.h"
#include "app/platform/qt_folder_provider.h"
#include "core/base/prompter.h"
#include "core/model/group_files.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {

QString path_text(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

}  // namespace

MasterDbWindow::MasterDbWindow(Settings& settings, Prompter& prompter, SystemStore& store,
                               GroupFiles& files, DataFolders folders, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      prompter_(prompter),
      store_(store),
      files_(files),
      folders_(std::move(folders)) {
    setObjectName(QStringLiteral("frm_masterdb"));
    setWindowTitle(QStringLiteral("Master Database Import"));
    std::string remembered = settings_.GetSetting(k_masterdb_section, k_masterdb_folder_key, "x");
    folder_ = remembered.empty() ? folders_.master_database
                                 : to_fs_path(QString::fromStdString(remembered));
    chooseFolder = [this] {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Choose a folder:"),
                                                 path_text(folder_));
    };
    chooseFile = [this] {
        return QFileDialog::getOpenFileName(
            this, QStringLiteral("Open HPD file"), path_text(folder_),
            QStringLiteral("HPD files (*.hpd *.HPD);;All files (*)"));
    };
    build();
    progress_ = std::make_unique<QtProgress>(progress_label_, status_);
}

MasterDbWindow::~MasterDbWindow() = default;

void MasterDbWindow::build() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    folder_label_ = new QLabel(path_text(folder_), this);
    folder_label_->setObjectName(QStringLiteral("folder"));
    top->addWidget(folder_label_, 1);
    auto* folder_button = button("choose_folder", QStringLiteral("Database Folder..."), this);
    connect(folder_button, &QPushButton::clicked, this, &MasterDbWindow::pickFolder);
    top->addWidget(folder_button);
    auto* file_button = button("open_file", QStringLiteral("Open HPD File..."), this);
    connect(file_button, &QPushButton::clicked, this, &MasterDbWindow::pickFile);
    top->addWidget(file_button);
    layout->addLayout(top);

    states_ = new QComboBox(this);
    states_->setObjectName(QStringLiteral("state_selector"));
    connect(states_, &QComboBox::activated, this, &MasterDbWindow::chooseState);
    layout->addWidget(states_);

    auto* split = new QSplitter(Qt::Horizontal, this);
    files_list_ = new QTreeWidget(split);
    files_list_->setObjectName(QStringLiteral("state_files"));
    files_list_->setRootIsDecorated(false);
    files_list_->setHeaderLabels({QStringLiteral("State:"), QStringLiteral("File:")});
    systems_ = new QTreeWidget(split);
    systems_->setObjectName(QStringLiteral("systems"));
    systems_->setRootIsDecorated(false);
    systems_->setUniformRowHeights(true);
    systems_->setHeaderLabels({QStringLiteral("#"), QStringLiteral("System:"),
                               QStringLiteral("Type:"), QStringLiteral("First Group:"),
                               QStringLiteral("Data:")});
    split->setStretchFactor(1, 3);
    layout->addWidget(split, 1);

    auto* bottom = new QHBoxLayout;
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    progress_label_ = new QLabel(this);
    progress_label_->setObjectName(QStringLiteral("progress"));
    bottom->addWidget(status_, 1);
    bottom->addWidget(progress_label_, 1);
    auto* import_button = button("import", QStringLiteral("Import"), this);
    connect(import_button, &QPushButton::clicked, this, &MasterDbWindow::importTicked);
    bottom->addWidget(import_button);
    auto* close_button = button("close", QStringLiteral("Close"), this);
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(close_button);
    layout->addLayout(bottom);
    resize(900, 600);
}

void MasterDbWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (index_scheduled_ || index_delay_ < 0) return;
    index_scheduled_ = true;
    QTimer::singleShot(index_delay_, this, &MasterDbWindow::readIndex);
}

void MasterDbWindow::readIndex() {
    lines_.clear();
    systems_->clear();
    files_list_->clear();
    states_->clear();
    states_->addItem(to_q(k_select_file_entry), -1);
    folder_label_->setText(path_text(folder_));
    index_ = read_hpdb_index(folder_);
    if (!index_.opened) {
        prompter_.tell(k_no_database);
        return;
    }
    for (const auto& s : index_.states) {
        states_->addItem(to_q(s.name), s.number);
        auto* item = new QTreeWidgetItem(files_list_);
        item->setText(0, to_q(s.name));
        item->setText(1, to_q(s.file_name));
    }
    files_list_->resizeColumnToContents(0);
}

void MasterDbWindow::chooseState(int selector_index) {
    if (selector_index <= 0 || selector_index >= states_->count()) return;
    states_->setCurrentIndex(selector_index);
    int number = states_->itemData(selector_index).toInt();
    loadFile(state_file_path(folder_, number));
}

bool MasterDbWindow::openFile(const QString& path) {
    return loadFile(to_fs_path(path));
}

bool MasterDbWindow::loadFile(const std::filesystem::path& file) {
    systems_->clear();
    bool ok = lines_.load(file, *progress_);
    fillSystems();
    status_->setText(ok ? path_text(file.filename()) : QString());
    return ok;
}

void MasterDbWindow::fillSystems() {
    systems_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(lines_.systems().size()));
    int n = 0;
    for (const auto& row : lines_.systems()) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString::number(++n));
        item->setText(1, to_q(row.text));
        item->setText(2, to_q(row.kind));
        item->setText(3, to_q(row.first_group));
        item->setText(4, to_q(row.data));
        item->setCheckState(0, row.ticked ? Qt::Checked : Qt::Unchecked);
        items.push_back(item);
    }
    systems_->addTopLevelItems(items);
    for (int c : {0, 2}) systems_->resizeColumnToContents(c);
}

void MasterDbWindow::importTicked() {
    for (int i = 0; i < systems_->topLevelItemCount(); ++i)
        lines_.tick(static_cast<size_t>(i),
                    systems_->topLevelItem(i)->checkState(0) == Qt::Checked);
    if (!lines_.any_ticked()) return;
    ReadStats stats = lines_.import(store_, files_, prompter_, *progress_);
    if (!stats.opened) return;
    emit systemsImported();
}

void MasterDbWindow::pickFolder() {
    QString chosen = chooseFolder ? chooseFolder() : QString();
    if (chosen.isEmpty()) return;
    folder_ = to_fs_path(chosen);
    settings_.SaveSetting(k_masterdb_section, k_masterdb_folder_key, chosen.toStdString());
    readIndex();
}

void MasterDbWindow::pickFile() {
    QString chosen = chooseFile ? chooseFile() : QString();
    if (!chosen.isEmpty()) openFile(chosen);
}

void MasterDbWindow::closeEvent(QCloseEvent* event) {
    remove_import_file(files_.folder());
    QWidget::closeEvent(event);
}

}  // namespace tarvex
