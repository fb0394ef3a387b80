#include "app/masterdb/masterdb_window.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/common/qt_progress.h"
#include "app/masterdb/search_results_model.h"
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
    setWindowTitle(tr("Master Database Import"));
    folder_ = folder_setting();
    choose_folder = [this] {
        return QFileDialog::getExistingDirectory(this, tr("Choose a folder:"), path_text(folder_));
    };
    choose_file = [this] {
        return QFileDialog::getOpenFileName(this, tr("Open HPD file"), path_text(folder_),
                                            tr("HPD files (*.hpd *.HPD);;All files (*)"));
    };
    build();
    progress_ = std::make_unique<QtProgress>(progress_label_, status_);
}

MasterDbWindow::~MasterDbWindow() = default;

std::filesystem::path MasterDbWindow::folder_setting() const {
    std::string remembered = settings_.GetSetting(k_masterdb_section, k_masterdb_folder_key, "x");
    return remembered.empty() ? folders_.master_database
                              : to_fs_path(QString::fromStdString(remembered));
}

void MasterDbWindow::take_folder_setting() {
    std::filesystem::path now = folder_setting();
    if (now == folder_) return;
    folder_ = now;
    read_index();
    status_->setText(tr("Database folder changed in Software Options: %1").arg(path_text(folder_)));
}

void MasterDbWindow::build() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    folder_label_ = new QLabel(path_text(folder_), this);
    folder_label_->setObjectName(QStringLiteral("folder"));
    top->addWidget(folder_label_, 1);
    auto* folder_button = button("choose_folder", tr("Database Folder\u2026"), this);
    connect(folder_button, &QPushButton::clicked, this, &MasterDbWindow::pick_folder);
    top->addWidget(folder_button);
    auto* file_button = button("open_file", tr("Open HPD File\u2026"), this);
    connect(file_button, &QPushButton::clicked, this, &MasterDbWindow::pick_file);
    top->addWidget(file_button);
    layout->addLayout(top);

    states_ = new QComboBox(this);
    states_->setObjectName(QStringLiteral("state_selector"));
    connect(states_, &QComboBox::activated, this, &MasterDbWindow::choose_state);
    layout->addWidget(states_);

    auto* split = new QSplitter(Qt::Horizontal, this);
    files_list_ = new QTreeWidget(split);
    files_list_->setObjectName(QStringLiteral("state_files"));
    files_list_->setRootIsDecorated(false);
    files_list_->setHeaderLabels({tr("State:"), tr("File:")});
    files_list_->setToolTip(tr("Click a state to list its systems."));
    // The list looks like a chooser, so it is one: clicking a state (or Enter on it) shows
    // its systems as the selector above does.
    auto state_clicked = [this](QTreeWidgetItem* item) {
        if (item) choose_state(files_list_->indexOfTopLevelItem(item) + 1);
    };
    connect(files_list_, &QTreeWidget::itemClicked, this, state_clicked);
    connect(files_list_, &QTreeWidget::itemActivated, this, state_clicked);
    auto* right = new QWidget(split);
    auto* right_layout = new QVBoxLayout(right);
    right_layout->setContentsMargins(0, 0, 0, 0);
    build_search(right, right_layout);
    auto* lists = new QSplitter(Qt::Vertical, right);
    results_ = new QTreeView(lists);
    results_->setObjectName(QStringLiteral("search_results"));
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->setModel(results_model_);
    results_->setVisible(false);
    connect(results_, &QTreeView::doubleClicked, this, &MasterDbWindow::show_result);
    auto* systems_pane = new QWidget(lists);
    auto* systems_layout = new QVBoxLayout(systems_pane);
    systems_layout->setContentsMargins(0, 0, 0, 0);
    auto* filter_row = new QHBoxLayout;
    filter_ = new QLineEdit(systems_pane);
    filter_->setObjectName(QStringLiteral("system_filter"));
    filter_->setPlaceholderText(tr("Filter systems\u2026"));
    filter_->setClearButtonEnabled(true);
    filter_->setToolTip(tr("Shows only the systems whose name, type or first group holds this"));
    connect(filter_, &QLineEdit::textChanged, this, &MasterDbWindow::apply_filter);
    filter_row->addWidget(filter_, 1);
    auto* tick_all = button("tick_all", tr("Tick all"), systems_pane);
    tick_all->setToolTip(tr("Ticks every system the filter shows"));
    connect(tick_all, &QPushButton::clicked, this, [this] { tick_shown(true); });
    auto* untick_all = button("untick_all", tr("Untick all"), systems_pane);
    untick_all->setToolTip(tr("Unticks every system the filter shows"));
    connect(untick_all, &QPushButton::clicked, this, [this] { tick_shown(false); });
    filter_row->addWidget(tick_all);
    filter_row->addWidget(untick_all);
    systems_layout->addLayout(filter_row);
    systems_ = new QTreeWidget(systems_pane);
    systems_layout->addWidget(systems_, 1);
    systems_->setObjectName(QStringLiteral("systems"));
    systems_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    systems_->setToolTip(tr("Space ticks or unticks the selected systems"));
    systems_->installEventFilter(this);
    systems_->setRootIsDecorated(false);
    systems_->setUniformRowHeights(true);
    systems_->setHeaderLabels(
        {tr("#"), tr("System:"), tr("Type:"), tr("First Group:"), tr("Data:")});
    right_layout->addWidget(lists, 1);
    split->setStretchFactor(1, 3);
    layout->addWidget(split, 1);

    auto* bottom = new QHBoxLayout;
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    progress_label_ = new QLabel(this);
    progress_label_->setObjectName(QStringLiteral("progress"));
    bottom->addWidget(status_, 1);
    bottom->addWidget(progress_label_, 1);
    auto* import_button = button("import", tr("Import"), this);
    connect(import_button, &QPushButton::clicked, this, &MasterDbWindow::import_ticked);
    bottom->addWidget(import_button);
    auto* close_button = button("close", tr("Close"), this);
    connect(close_button, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(close_button);
    layout->addLayout(bottom);
    resize(1100, 640);
}

void MasterDbWindow::build_search(QWidget* parent, QVBoxLayout* layout) {
    results_model_ = new SearchResultsModel(this);
    auto* row = new QHBoxLayout;
    search_box_ = new QLineEdit(parent);
    search_box_->setObjectName(QStringLiteral("search"));
    search_box_->setPlaceholderText(tr("Search all states\u2026"));
    search_box_->setClearButtonEnabled(true);
    search_box_->setToolTip(
        tr("A frequency in MHz (155.475), a talkgroup (47021) or part of a name; quotes search "
           "names only (\"155\")"));
    row->addWidget(search_box_, 1);
    cancel_search_ = button("cancel_search", tr("Cancel"), parent);
    cancel_search_->setEnabled(false);
    row->addWidget(cancel_search_);
    search_status_ = new QLabel(parent);
    search_status_->setObjectName(QStringLiteral("search_status"));
    row->addWidget(search_status_);
    layout->addLayout(row);

    slice_timer_ = new QTimer(this);
    slice_timer_->setInterval(0);
    connect(slice_timer_, &QTimer::timeout, this, &MasterDbWindow::search_slice);
    // Searching as the user types, once the typing pauses; Enter searches at once.
    typing_timer_ = new QTimer(this);
    typing_timer_->setSingleShot(true);
    typing_timer_->setInterval(300);
    connect(typing_timer_, &QTimer::timeout, this, [this] { begin_search(false); });
    connect(search_box_, &QLineEdit::textEdited, typing_timer_, qOverload<>(&QTimer::start));
    connect(search_box_, &QLineEdit::returnPressed, this, &MasterDbWindow::start_search);
    connect(cancel_search_, &QPushButton::clicked, this, &MasterDbWindow::cancel_search);
    search_box_->installEventFilter(this);
}

void MasterDbWindow::apply_filter() {
    const std::string filter = from_q(filter_->text());
    const auto& rows = lines_.systems();
    for (int i = 0; i < systems_->topLevelItemCount(); ++i) {
        auto* item = systems_->topLevelItem(i);
        if (static_cast<size_t>(i) >= rows.size()) break;
        item->setHidden(
            !row_matches_filter(rows[static_cast<size_t>(i)], from_q(item->text(1)), filter));
    }
}

void MasterDbWindow::tick_shown(bool on) {
    for (int i = 0; i < systems_->topLevelItemCount(); ++i) {
        auto* item = systems_->topLevelItem(i);
        if (!item->isHidden()) item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
}

void MasterDbWindow::toggle_selected() {
    const auto selected = systems_->selectedItems();
    if (selected.isEmpty()) return;
    // One press gives every selected row the same tick: the opposite of the first one's.
    const bool on = selected.front()->checkState(0) != Qt::Checked;
    for (auto* item : selected)
        if (!item->isHidden()) item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

bool MasterDbWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == systems_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggle_selected();
        return true;
    }
    // Escape in the search box stops the search, as the Cancel button does.
    if (watched == search_box_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && searching()) {
        cancel_search();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MasterDbWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (index_scheduled_ || index_delay_ < 0) return;
    index_scheduled_ = true;
    QTimer::singleShot(index_delay_, this, &MasterDbWindow::read_index);
}

void MasterDbWindow::read_index() {
    lines_.clear();
    systems_->clear();
    files_list_->clear();
    states_->clear();
    states_->addItem(to_q(k_select_file_entry), -1);
    folder_label_->setText(path_text(folder_));
    current_state_ = -1;
    cancel_search();
    results_model_->clear();
    index_ = read_hpdb_index(folder_);
    results_model_->set_states(index_.states);
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
    files_list_->resizeColumnToContents(1);
    // The list is as wide as its state names and file names, so neither is cut.
    files_list_->setMinimumWidth(files_list_->columnWidth(0) + files_list_->columnWidth(1) +
                                 files_list_->verticalScrollBar()->sizeHint().width() +
                                 2 * files_list_->frameWidth());
}

void MasterDbWindow::choose_state(int selector_index) {
    if (selector_index <= 0 || selector_index >= states_->count()) return;
    states_->setCurrentIndex(selector_index);
    int number = states_->itemData(selector_index).toInt();
    current_state_ = number;
    if (auto* item = files_list_->topLevelItem(selector_index - 1)) {
        const QSignalBlocker quiet(files_list_);
        files_list_->setCurrentItem(item);
    }
    load_file(state_file_path(folder_, number));
}

bool MasterDbWindow::open_file(const QString& path) {
    current_state_ = -1;
    states_->setCurrentIndex(0);
    return load_file(to_fs_path(path));
}

bool MasterDbWindow::load_file(const std::filesystem::path& file) {
    systems_->clear();
    bool ok = lines_.load(file, *progress_);
    fill_systems();
    status_->setText(ok ? path_text(file.filename()) : QString());
    return ok;
}

void MasterDbWindow::fill_systems() {
    systems_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(lines_.systems().size()));
    int n = 0;
    for (const auto& row : lines_.systems()) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString::number(++n));
        const std::string& line = lines_.lines()[row.line].text;
        item->setText(1, to_q(system_name_of(line)));
        item->setToolTip(1, to_q(line_for_people(line)));
        item->setText(2, to_q(row.kind));
        item->setText(3, to_q(row.first_group));
        item->setText(4, to_q(row.data));
        item->setCheckState(0, row.ticked ? Qt::Checked : Qt::Unchecked);
        items.push_back(item);
    }
    systems_->addTopLevelItems(items);
    // The names are what the user reads: their columns take the width of their texts, up to
    // a bound so the counts of the last column stay in sight.
    const int chars = systems_->fontMetrics().averageCharWidth();
    for (auto [c, bound] : {std::pair{0, 8}, {1, 32}, {2, 24}, {3, 24}}) {
        systems_->resizeColumnToContents(c);
        if (systems_->columnWidth(c) > bound * chars) systems_->setColumnWidth(c, bound * chars);
    }
    apply_filter();
}

void MasterDbWindow::import_ticked() {
    counts_ = {};
    bool imported = import_results();
    last_report_ = to_q(import_report(counts_));
    status_->setText(last_report_);
    if (imported) emit systems_imported();
}

bool MasterDbWindow::import_shown_state() {
    for (int i = 0; i < systems_->topLevelItemCount(); ++i)
        lines_.tick(static_cast<size_t>(i),
                    systems_->topLevelItem(i)->checkState(0) == Qt::Checked);
    if (!lines_.any_ticked()) return false;
    ReadStats stats = lines_.import(store_, files_, prompter_, *progress_);
    counts_.add(stats);
    return stats.opened;
}

bool MasterDbWindow::import_results() {
    bool imported = false, shown_done = false;
    for (const StateRows& state : systems_to_import(results_model_->matches())) {
        if (state.state == current_state_) {
            // The list shows the state: its ticks there and the results' rows become one
            // import, so a system ticked in both comes in once.
            for (int row : state.rows)
                if (auto* item = systems_->topLevelItem(row - 1))
                    item->setCheckState(0, Qt::Checked);
            imported |= import_shown_state();
            shown_done = true;
            continue;
        }
        MasterLineStore other;
        std::filesystem::path file = state_file_path(folder_, state.state);
        if (!other.load(file, *progress_)) {
            prompter_.tell(from_q(tr("State file not found: ")) + file.string());
            continue;
        }
        for (int row : state.rows) other.tick(static_cast<size_t>(row - 1), true);
        if (!other.any_ticked()) continue;
        ReadStats stats = other.import(store_, files_, prompter_, *progress_);
        counts_.add(stats);
        imported |= stats.opened;
    }
    if (!shown_done) imported |= import_shown_state();
    return imported;
}

void MasterDbWindow::start_search() {
    begin_search(true);
}

void MasterDbWindow::begin_search(bool asked) {
    typing_timer_->stop();
    cancel_search();
    results_model_->clear();
    search_status_->clear();
    auto query = parse_search_query(from_q(search_box_->text()));
    if (!query) return;
    // The index is read a moment after the window opens; a search may come first.
    if (!index_.opened) {
        index_ = read_hpdb_index(folder_);
        results_model_->set_states(index_.states);
    }
    if (!index_.opened) {
        // Typing is not interrupted by a message box; Enter or the button asks for one.
        if (asked) prompter_.tell(k_no_database);
        search_status_->setText(to_q(k_no_database));
        return;
    }
    search_ = std::make_unique<MasterSearch>(folder_, index_.states, std::move(*query));
    results_->setVisible(true);
    cancel_search_->setEnabled(true);
    search_status_->setText(tr("Searching\u2026"));
    slice_timer_->start();
}

void MasterDbWindow::search_slice() {
    if (!search_) return;
    std::vector<SearchMatch> batch;
    const size_t room = k_max_listed_matches - results_model_->matches().size();
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    do {
        more = search_->step([&](const MatchView& m) {
            if (batch.size() < room) batch.push_back(SearchMatch::from(m));
        });
    } while (more && batch.size() < room && clock.elapsed() < slice_ms_);
    bool full = batch.size() >= room;
    bool first = results_model_->rowCount() == 0 && !batch.empty();
    results_model_->append(std::move(batch));
    // The tree view sizes a column by the rows in sight, so this stays cheap however long
    // the list grows.
    if (first) fit_result_columns();
    if (full) {
        finish_search(
            tr("The first %1 matches; type more to narrow the search").arg(k_max_listed_matches));
    } else if (!more) {
        finish_search(to_q(search_summary(search_->matches(), search_->states_matched())));
    } else if (const StateEntry* s = search_->current_state()) {
        search_status_->setText(
            tr("Searching %1\u2026 %2 matches").arg(to_q(s->name)).arg(results_model_->rowCount()));
    }
}

void MasterDbWindow::finish_search(const QString& status) {
    slice_timer_->stop();
    search_.reset();
    cancel_search_->setEnabled(false);
    search_status_->setText(status);
    fit_result_columns();
}

void MasterDbWindow::fit_result_columns() {
    // A long system name would push the value out of sight: names get a bounded width.
    const int widest = results_->fontMetrics().averageCharWidth() * 32;
    for (int c = 0; c < SearchResultsModel::ColumnCount; ++c) {
        results_->resizeColumnToContents(c);
        if (results_->columnWidth(c) > widest) results_->setColumnWidth(c, widest);
    }
}

void MasterDbWindow::cancel_search() {
    typing_timer_->stop();
    if (!search_) return;
    finish_search(tr("Search cancelled: %1 matches").arg(results_model_->rowCount()));
}

void MasterDbWindow::show_result(const QModelIndex& index) {
    if (!index.isValid()) return;
    const SearchMatch& m = results_model_->matches()[static_cast<size_t>(index.row())];
    int at = states_->findData(m.state);
    if (at <= 0) return;
    // Reloading the state shown would drop the ticks the user gave its systems.
    if (m.state != current_state_) choose_state(at);
    if (auto* item = systems_->topLevelItem(m.row - 1)) {
        systems_->setCurrentItem(item);
        systems_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    }
}

void MasterDbWindow::pick_folder() {
    QString chosen = choose_folder ? choose_folder() : QString();
    if (chosen.isEmpty()) return;
    folder_ = to_fs_path(chosen);
    settings_.SaveSetting(k_masterdb_section, k_masterdb_folder_key, chosen.toStdString());
    read_index();
}

void MasterDbWindow::pick_file() {
    QString chosen = choose_file ? choose_file() : QString();
    if (!chosen.isEmpty()) open_file(chosen);
}

void MasterDbWindow::closeEvent(QCloseEvent* event) {
    cancel_search();
    remove_import_file(files_.folder());
    QWidget::closeEvent(event);
}

}  // namespace tarvex
