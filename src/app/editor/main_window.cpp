#include "app/editor/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "app/common/qt_file_chooser.h"
#include "app/common/qt_progress.h"
#include "app/common/qt_prompter.h"
#include "app/editor/browser_model.h"
#include "app/editor/grid_editor.h"
#include "app/editor/main_window_options.h"
#include "app/editor/site_editor.h"
#include "app/editor/system_editor.h"
#include "app/editor/unit_id_editor.h"
#include "core/editor/command_help.h"
#include "core/editor/session.h"
#include "core/editor/window_fit.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

// The bundled icons live in the app library; a static library's resources need naming once.
static void load_bundled_resources() {
    Q_INIT_RESOURCE(tarvex);
}

namespace tarvex {

MainWindow::MainWindow(Settings& settings, const PlatformFolders& platform, QWidget* parent)
    : MainWindow(settings, platform, MainWindowOptions{}, parent) {}

MainWindow::MainWindow(Settings& settings, const PlatformFolders& platform,
                       const MainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), settings_(settings), services_(std::make_unique<Services>()) {
    setObjectName(QStringLiteral("frm_main"));
    load_bundled_resources();
    if (options.prompter) {
        prompter_ = options.prompter;
    } else {
        own_prompter_ = std::make_unique<QtPrompter>(this);
        prompter_ = own_prompter_.get();
    }
    if (options.chooser) {
        services_->chooser = options.chooser;
    } else {
        services_->own_chooser = std::make_unique<QtFileChooser>(this);
        services_->chooser = services_->own_chooser.get();
    }
    open_url = [this](const std::string& url) {
        const QString address = QString::fromStdString(url);
        if (QDesktopServices::openUrl(QUrl(address))) {
            if (status_label_)
                status_label_->setText(tr("Opened %1 in the web browser").arg(address));
            return;
        }
        prompter_->tell(
            from_q(tr("No web browser could be started. The address is:\n%1").arg(address)));
    };
    open_local_file = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };

    // The window's first size is most of the screen, as the settings store it (twips).
    QRect screen = QGuiApplication::primaryScreen()
                       ? QGuiApplication::primaryScreen()->availableGeometry()
                       : QRect(0, 0, 1280, 800);
    const int default_width = pixels_to_twips(std::max(900, screen.width() * 4 / 5));
    const int default_height = pixels_to_twips(std::max(600, screen.height() * 4 / 5));
    long long run = options.run_number >= 0 ? options.run_number : run_temp_number_now();
    Startup started = start_up(platform, settings_, *prompter_, default_width, default_height, run);
    folders_ = started.folders;
    session_ = std::move(started.session);

    build_ui();
    progress_ = std::make_unique<QtProgress>(progress_label_, status_label_);
    session_->set_progress(*progress_);
    connect_session();
    build_menus();
    build_tool_bar();
    connect_edit_tools();
    apply_place();

    queue_timer_ = new QTimer(this);
    queue_timer_->setObjectName(QStringLiteral("Timer1"));
    queue_timer_->setInterval(10);
    connect(queue_timer_, &QTimer::timeout, this, [this] {
        if (!session_->load_next_queued()) queue_timer_->stop();
    });

    setAcceptDrops(true);
    rebuild_browser();
    update_title();
    update_command_states();
    status_label_->setText(QStringLiteral("Ready"));
    if (started.firmware_warning) show_message_bar(to_q(k_firmware_warning));
}

MainWindow::~MainWindow() {
    close_tool_windows();
    // The editors talk to the session until they are gone, so they go first.
    session_->editor = {};
    session_->events = {};
    delete takeCentralWidget();
    // A window destroyed without being closed (tests, a failed start) still cleans up its
    // group files and temp folder.
    if (!shut_down_) {
        session_->shut_down(settings_);
        shut_down_ = true;
    }
}

// ---- layout ----

void MainWindow::build_ui() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->addWidget(build_browser_panel());

    // The editors' side: the message bar (hidden until there is something to say) above the tabs.
    auto* right = new QWidget(splitter_);
    auto* right_layout = new QVBoxLayout(right);
    right_layout->setContentsMargins(0, 0, 0, 0);
    right_layout->setSpacing(0);
    right_layout->addWidget(build_message_bar());
    tabs_ = new QTabWidget(right);
    tabs_->setObjectName(QStringLiteral("TabStrip1"));
    tabs_->setDocumentMode(true);
    right_layout->addWidget(tabs_, 1);
    start_text_ = new QLabel(tabs_);
    start_text_->setObjectName(QStringLiteral("lbl_start"));
    start_text_->setAlignment(Qt::AlignCenter);
    start_text_->setWordWrap(true);
    start_text_->setTextFormat(Qt::RichText);
    start_page_ = start_text_;
    update_start_page();
    grid_editor_ = new GridEditor(*session_, settings_, tabs_);
    system_editor_ = new SystemEditor(*session_, false, tabs_);
    department_editor_ = new SystemEditor(*session_, true, tabs_);
    site_editor_ = new SiteEditor(*session_, settings_, tabs_);
    unit_id_editor_ = new UnitIdEditor(*session_, settings_, tabs_);
    unit_id_page_ = unit_id_editor_;
    tabs_->addTab(start_page_, tr("Start"));
    tabs_->addTab(grid_editor_, tr("Group"));
    tabs_->addTab(system_editor_, tr("System"));
    tabs_->addTab(department_editor_, tr("Department"));
    tabs_->addTab(site_editor_, tr("Site"));
    tabs_->addTab(unit_id_page_, tr("Unit IDs"));
    for (int i = 1; i < tabs_->count(); ++i) tabs_->setTabEnabled(i, false);
    splitter_->addWidget(right);
    splitter_->setChildrenCollapsible(false);
    // Until the user drags the divider (in this run or an earlier one), the browser widens to
    // show the names it holds.
    browser_width_chosen_ = !settings_.GetSetting("all", "browser_left", "x").empty();
    connect(splitter_, &QSplitter::splitterMoved, this, [this] { browser_width_chosen_ = true; });
    // Resizing the window widens the editors; the browser keeps the width it was given.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    setCentralWidget(splitter_);

    auto forward_url = [this](const std::string& url) {
        if (open_url) open_url(url);
    };
    grid_editor_->open_url = forward_url;
    site_editor_->open_url = forward_url;
    connect(grid_editor_, &GridEditor::status, this,
            [this](const QString& text) { status_label_->setText(text); });
    connect(grid_editor_, &GridEditor::diagnostic, this,
            [this](const QString& line) { diagnostics_->addItem(line); });
    connect(grid_editor_, &GridEditor::context_menu, this,
            [this](const QPoint& pos) { grid_context_menu(pos); });
    auto rename = [this](const QString& key, const QString& name) {
        browser_model_->set_text(from_q(key), from_q(name));
    };
    connect(grid_editor_, &GridEditor::group_renamed, this, rename);
    connect(unit_id_editor_, &UnitIdEditor::status, this,
            [this](const QString& text) { status_label_->setText(text); });
    connect(unit_id_editor_, &UnitIdEditor::diagnostic, this,
            [this](const QString& line) { diagnostics_->addItem(line); });
    connect(unit_id_editor_, &UnitIdEditor::context_menu, this,
            [this](const QPoint& pos) { grid_context_menu(pos); });
    connect(system_editor_, &SystemEditor::renamed, this, rename);
    connect(department_editor_, &SystemEditor::renamed, this, rename);
    connect(site_editor_, &SiteEditor::renamed, this, rename);

    QStatusBar* bar = statusBar();
    status_label_ = new QLabel(bar);
    status_label_->setObjectName(QStringLiteral("lbl_status"));
    status_label_->setMinimumWidth(220);
    bar->addWidget(status_label_, 1);
    progress_label_ = new QLabel(bar);
    progress_label_->setObjectName(QStringLiteral("lbl_progress"));
    bar->addWidget(progress_label_, 1);
    level_label_ = new QLabel(bar);
    level_label_->setObjectName(QStringLiteral("lbl_level"));
    system_label_ = new QLabel(bar);
    site_label_ = new QLabel(bar);
    group_label_ = new QLabel(bar);
    for (QLabel* l : {level_label_, system_label_, site_label_, group_label_}) {
        l->setMinimumWidth(70);
        bar->addPermanentWidget(l);
    }
}

QWidget* MainWindow::build_browser_panel() {
    auto* panel = new QWidget(splitter_);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    // The add buttons: one per command, under its first caption.
    auto* buttons = new QGridLayout;
    buttons->setSpacing(2);
    std::vector<CommandId> seen;
    int n = 0;
    for (const CommandEntry& e : command_table()) {
        if (e.menu != Menu::AddButtons) continue;
        if (std::find(seen.begin(), seen.end(), e.id) != seen.end()) continue;
        seen.push_back(e.id);
        auto* b = new QPushButton(to_q(e.caption), panel);
        b->setObjectName(QStringLiteral("add_") + to_q(e.caption));
        b->setFocusPolicy(Qt::NoFocus);
        b->setEnabled(e.available);
        // The buttons share whatever width the browser has instead of widening it.
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        b->setMinimumWidth(20);
        b->setToolTip(to_q(command_tool_tip(e.id, e.caption, "")));
        b->setAccessibleName(to_q(command_description(e.id)));
        const QString caption = to_q(e.caption);
        connect(b, &QPushButton::clicked, this,
                [this, caption] { dispatch(Menu::AddButtons, caption); });
        buttons->addWidget(b, n / 4, n % 4);
        ++n;
    }
    layout->addLayout(buttons);

    tree_ = new QTreeView(panel);
    tree_->setObjectName(QStringLiteral("TreeView2"));
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Wide enough for a system name and its badge; the splitter cannot squeeze it below that.
    panel->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 14);
    browser_model_ = new BrowserModel(tree_);
    tree_->setModel(browser_model_);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { node_activated(current); });
    connect(tree_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { tree_context_menu(pos); });
    layout->addWidget(tree_, 1);

    diagnostics_ = new QListWidget(panel);
    diagnostics_->setObjectName(QStringLiteral("no_invoer"));
    diagnostics_->hide();
    layout->addWidget(diagnostics_);
    return panel;
}

void MainWindow::apply_place() {
    const WindowPlace& p = session_->settings().place;
    QRect want(twips_to_pixels(p.left), twips_to_pixels(p.top), twips_to_pixels(p.width),
               twips_to_pixels(p.height));
    // A place from another screen layout must not put the window out of reach: it goes on the
    // screen it was on (or the primary one) and wholly inside it, status bar included. The
    // saved size is the inside of the window; the title bar above it must fit too.
    const int title_bar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    QScreen* screen = QGuiApplication::screenAt(want.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->availableGeometry();
        ScreenRect fit =
            fit_window_place({want.x(), want.y(), want.width(), want.height() + title_bar},
                             {avail.x(), avail.y(), avail.width(), avail.height()});
        want = QRect(fit.x, fit.y, fit.width, std::max(240, fit.height - title_bar));
    }
    resize(want.size());
    move(want.topLeft());
    start_maximized_ = p.state == 2;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // The browser width is set once the window is laid out at its real width, so the splitter
    // does not scale it down with a smaller first layout.
    QTimer::singleShot(0, this, [this] {
        int browser = std::max(120, twips_to_pixels(session_->settings().place.browser_left));
        splitter_->setSizes({browser, std::max(200, splitter_->width() - browser)});
    });
}

void MainWindow::show_in_place() {
    if (start_maximized_)
        showMaximized();
    else
        show();
}

// ---- the session ----

void MainWindow::connect_session() {
    SessionEvents& ev = session_->events;
    ev.changed = [this](bool) { update_title(); };
    ev.browser = [this] { rebuild_browser(); };
    ev.status = [this](std::string_view text) { status_label_->setText(to_q(text)); };
    ev.file_name = [this](std::string_view name) {
        update_title();
        remember_recent(std::string(name));
    };
    ev.selection = [this](const Selection& s) { show_selection(s); };
    ev.history = [this] { update_undo_actions(); };
    EditorHooks& ed = session_->editor;
    ed.write_back = [this] { write_back_editors(); };
    ed.reload = [this] { reload_editors(); };
    ed.close = [this] { close_editors(); };
    ed.unwritten = [this] { return grid_editor_->unwritten(); };
    ed.place = [this] { return grid_editor_->place(); };
}

void MainWindow::update_undo_actions() {
    if (!undo_action_) return;
    undo_action_->setEnabled(session_->can_undo());
    undo_action_->setText(to_q(session_->undo_text()));
    redo_action_->setEnabled(session_->can_redo());
    redo_action_->setText(to_q(session_->redo_text()));
}

void MainWindow::update_title() {
    setWindowTitle(to_q(session_->title(k_title)) + QStringLiteral("[*]"));
    setWindowModified(session_->changed());
    update_start_page();
}

void MainWindow::update_start_page() {
    if (!start_text_) return;
    const std::string& file = session_->file_name();
    if (file.empty()) {
        start_text_->setText(
            tr("<h3>Tarvex</h3><p>Open an HPD file (File \u2192 Open HPD File, or drop it here), "
               "or add a system with the buttons beside the browser.</p><p>Click a group to edit "
               "its channels or talkgroups, a system or a site to edit its record.</p>"));
        return;
    }
    const QString path = QString::fromStdString(file);
    start_text_->setText(
        tr("<h3>%1</h3><p>%2</p><p>Click a group in the browser to edit its channels or "
           "talkgroups, a system or a site to edit its record.</p>")
            .arg(QFileInfo(path).fileName().toHtmlEscaped(), path.toHtmlEscaped()));
}

QWidget* MainWindow::build_message_bar() {
    // A note that must be seen but must not stop the user: a coloured strip with a close button,
    // the way desktop programs show such notes.
    message_bar_ = new QFrame(this);
    message_bar_->setObjectName(QStringLiteral("message_bar"));
    message_bar_->setFrameShape(QFrame::StyledPanel);
    message_bar_->setAutoFillBackground(true);
    QPalette pal = message_bar_->palette();
    pal.setColor(QPalette::Window, QColor(0xff, 0xf3, 0xcd));
    pal.setColor(QPalette::WindowText, QColor(0x5c, 0x44, 0x00));
    message_bar_->setPalette(pal);
    auto* layout = new QHBoxLayout(message_bar_);
    layout->setContentsMargins(8, 4, 4, 4);
    auto* icon = new QLabel(message_bar_);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(20, 20));
    layout->addWidget(icon);
    message_text_ = new QLabel(message_bar_);
    message_text_->setObjectName(QStringLiteral("message_bar_text"));
    message_text_->setWordWrap(true);
    message_text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(message_text_, 1);
    auto* close = new QToolButton(message_bar_);
    close->setObjectName(QStringLiteral("message_bar_close"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setToolTip(tr("Close this message"));
    close->setAccessibleName(tr("Close this message"));
    connect(close, &QToolButton::clicked, message_bar_, &QWidget::hide);
    layout->addWidget(close);
    message_bar_->hide();
    return message_bar_;
}

void MainWindow::show_message_bar(const QString& text) {
    message_text_->setText(text);
    message_bar_->show();
}

void MainWindow::rebuild_browser() {
    // Open branches stay open across a rebuild, so editing a name does not fold the tree.
    std::vector<std::string> expanded;
    const bool first = browser_model_->tree().nodes.empty();
    for (const BrowserNode& n : browser_model_->tree().nodes) {
        QModelIndex i = browser_model_->index_of_key(n.key);
        if (i.isValid() && browser_model_->rowCount(i) > 0 && tree_->isExpanded(i))
            expanded.push_back(n.key);
    }
    rebuilding_ = true;
    BrowserTree tree = session_->build_browser();
    const std::string selected = tree.selected_key;
    browser_model_->set_tree(std::move(tree));
    if (first || expanded.empty()) {
        // A fresh tree shows every system's groups and sites.
        for (int r = 0; r < browser_model_->rowCount(); ++r)
            tree_->expand(browser_model_->index(r, 0));
    } else {
        for (const auto& k : expanded) tree_->expand(browser_model_->index_of_key(k));
    }
    std::string want = session_->selection().key.empty() ? selected : session_->selection().key;
    QModelIndex sel = browser_model_->index_of_key(want);
    if (sel.isValid()) {
        tree_->selectionModel()->setCurrentIndex(sel, QItemSelectionModel::ClearAndSelect);
        tree_->scrollTo(sel);
    }
    rebuilding_ = false;
    if (!browser_width_chosen_) QTimer::singleShot(0, this, [this] { fit_browser_width(); });
}

void MainWindow::fit_browser_width() {
    if (browser_width_chosen_ || !isVisible()) return;
    const QList<int> sizes = splitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    // The names, their badges and indentation, the frame and room for a scroll bar; never more
    // than a third of the window, so the editors keep the most room.
    const int names = static_cast<QAbstractItemView*>(tree_)->sizeHintForColumn(0) +
                      2 * tree_->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                      12;
    const int want = std::min(names, total / 3);
    if (want <= sizes.value(0)) return;
    splitter_->setSizes({want, total - want});
}

bool MainWindow::click_node(const std::string& key) {
    QModelIndex i = browser_model_->index_of_key(key);
    if (!i.isValid()) return false;
    tree_->scrollTo(i);
    tree_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    return true;
}

void MainWindow::node_activated(const QModelIndex& index) {
    if (rebuilding_ || !index.isValid()) return;
    std::string key = browser_model_->key_of(index);
    if (key == session_->selection().key) return;
    session_->select(key);
}

void MainWindow::show_selection(const Selection& s) {
    update_labels(s);
    if (!rebuilding_ && !s.key.empty()) {
        QModelIndex i = browser_model_->index_of_key(s.key);
        if (i.isValid() && tree_->currentIndex() != i) {
            rebuilding_ = true;
            tree_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
            rebuilding_ = false;
        }
    }
    switch (s.level) {
        case Level::Group:
            show_page(grid_editor_);
            grid_editor_->open_group(s.system, s.group);
            break;
        case Level::System:
            if (session_->store().is_conventional(s.system)) {
                show_page(department_editor_);
                department_editor_->show_system(s.system);
            } else {
                show_page(system_editor_);
                system_editor_->show_system(s.system);
            }
            break;
        case Level::Site:
            show_page(site_editor_);
            site_editor_->show_site(s.system, s.site);
            break;
        case Level::UnitIds:
            show_page(unit_id_page_);
            unit_id_editor_->show_system(s.system);
            break;
        default:
            show_page(start_page_);
            break;
    }
    update_command_states();
}

void MainWindow::show_page(QWidget* page) {
    // Leaving an editor writes it back; the form that is not shown holds nothing.
    if (page != grid_editor_) grid_editor_->leave();
    if (page != unit_id_editor_) unit_id_editor_->leave();
    if (page != system_editor_) {
        system_editor_->write_back();
        system_editor_->forget();
    }
    if (page != department_editor_) {
        department_editor_->write_back();
        department_editor_->forget();
    }
    if (page != site_editor_) {
        site_editor_->write_back();
        site_editor_->forget();
    }
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->setTabEnabled(i, tabs_->widget(i) == page || i == 0);
    tabs_->setCurrentWidget(page);
}

void MainWindow::write_back_editors() {
    grid_editor_->write_back();
    unit_id_editor_->write_back();
    system_editor_->write_back();
    department_editor_->write_back();
    site_editor_->write_back();
}

void MainWindow::close_editors() {
    grid_editor_->forget();
    unit_id_editor_->forget();
    system_editor_->forget();
    department_editor_->forget();
    site_editor_->forget();
    show_page(start_page_);
}

void MainWindow::reload_editors() {
    if (grid_editor_->has_group()) grid_editor_->reload();
    unit_id_editor_->reload();
    if (int s = system_editor_->system(); s > 0) system_editor_->show_system(s);
    if (int s = department_editor_->system(); s > 0) department_editor_->show_system(s);
    if (int s = site_editor_->system(); s > 0) site_editor_->show_site(s, site_editor_->site());
}

void MainWindow::update_labels(const Selection& s) {
    level_label_->setText(to_q(level_label(s.level)));
    system_label_->setText(s.system > 0 ? tr("System: %1").arg(s.system) : QString());
    site_label_->setText(s.site > 0 ? tr("Site: %1").arg(s.site) : QString());
    group_label_->setText(s.group >= 0 ? tr("Group: %1").arg(s.group) : QString());
}

// ---- files from outside ----

void MainWindow::open_files(const QStringList& paths) {
    std::vector<std::string> files;
    for (const QString& p : paths) files.push_back(to_core_path(p));
    if (files.empty()) return;
    session_->queue_files(std::move(files), true);
    queue_timer_->start();
}

namespace {
QStringList hpd_paths(const QMimeData* mime) {
    QStringList out;
    if (!mime || !mime->hasUrls()) return out;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        // The same names the Open dialog takes: what is dropped is then never refused later.
        QString path = url.toLocalFile();
        if (accepted_hpd_name(QFileInfo(path).fileName().toStdString())) out << path;
    }
    return out;
}
}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!hpd_paths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths = hpd_paths(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    open_files(paths);
}

// ---- shutdown ----

void MainWindow::terminate() {
    if (shut_down_) return;
    write_back_editors();
    close_tool_windows();
    session_->editor = {};
    // The browser width the next start restores is the one shown now, fitted or dragged.
    session_->settings().place.browser_left = pixels_to_twips(splitter_->sizes().value(0, 213));
    if (!session_->changed()) session_->shut_down(settings_);
    shut_down_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shut_down_) {
        event->accept();
        return;
    }
    write_back_editors();
    if (!session_->confirm_shutdown(services_->chooser)) {
        event->ignore();
        return;
    }
    queue_timer_->stop();
    close_tool_windows();
    grid_editor_->save_column_widths();
    unit_id_editor_->save_column_widths();
    site_editor_->save_column_widths();
    WindowPlace& p = session_->settings().place;
    QRect g = isMaximized() ? normalGeometry() : geometry();
    p.left = pixels_to_twips(g.x());
    p.top = pixels_to_twips(g.y());
    p.width = pixels_to_twips(g.width());
    p.height = pixels_to_twips(g.height());
    p.state = isMaximized() ? 2 : 0;
    p.browser_left = pixels_to_twips(splitter_->sizes().value(0, 213));
    session_->editor = {};
    session_->shut_down(settings_);
    shut_down_ = true;
    event->accept();
}

}  // namespace tarvex
