// The main window's menus, tool bar and pop-up menus, and the dispatch of their captions.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <fstream>

#include "app/common/latin1.h"
#include "app/common/qt_progress.h"
#include "app/editor/browser_model.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_view.h"
#include "app/editor/main_window.h"
#include "app/editor/main_window_options.h"
#include "app/editor/unit_id_editor.h"
#include "app/exchange/exchange_commands.h"
#include "core/base/prompter.h"
#include "core/editor/command_help.h"
#include "core/editor/command_states.h"
#include "core/editor/grid_keys.h"
#include "core/editor/recent_files.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/record_fields.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

// The platform's key of a standard command; where the platform's scheme has none (Windows has
// no Save As or Quit key) the key most desktops use.
QKeySequence standard_key(QKeySequence::StandardKey key, QKeySequence fallback) {
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    return keys.isEmpty() ? fallback : keys.front();
}

// Keys for the commands people reach for most; the menus show them.
QKeySequence shortcut_for(Menu menu, std::string_view caption) {
    static const std::pair<std::string_view, QKeySequence> file[] = {
        {"Open HPD File", standard_key(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O))},
        {"Save HPD File", standard_key(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S))},
        {"Save HPD File As",
         standard_key(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S))},
        {"Exit", standard_key(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q))},
    };
    static const std::pair<std::string_view, QKeySequence> edit[] = {
        {"Cut", QKeySequence::Cut},
        {"Copy", QKeySequence::Copy},
        {"Paste", QKeySequence::Paste},
        {"Cut Line", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X)},
        {"Copy Line", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
        {"Paste Line", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)},
        {"Select All", QKeySequence::SelectAll},
        {"Find", QKeySequence::Find},
        {"Replace", QKeySequence(Qt::CTRL | Qt::Key_H)},
        {"Find in Database...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)},
        {"Shift Up", QKeySequence(Qt::ALT | Qt::Key_Up)},
        {"Shift Down", QKeySequence(Qt::ALT | Qt::Key_Down)},
        {"Insert Line", QKeySequence(Qt::Key_Insert)},
        {"Fill Down", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"Edit  (F2)", QKeySequence(Qt::Key_F2)},
    };
    if (menu == Menu::File)
        for (auto& [c, k] : file)
            if (c == caption) return k;
    if (menu == Menu::Edit)
        for (auto& [c, k] : edit)
            if (c == caption) return k;
    if (menu == Menu::Help && caption == "Open Software Manual")
        return standard_key(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1));
    return {};
}

// The icon of a command: the desktop's theme first, the bundled drawing of the same name where
// the theme has none.
QIcon icon_for(CommandId id) {
    const std::string_view name = command_icon(id);
    if (name.empty()) return {};
    const QString n = to_q(name);
    return QIcon::fromTheme(n, QIcon(QStringLiteral(":/icons/") + n + QStringLiteral(".png")));
}

// A closing "..." as the ellipsis character ("Find in Database\u2026").
QString with_ellipsis(QString text) {
    if (text.endsWith(QLatin1String("..."))) {
        text.chop(3);
        text += QChar(0x2026);
    }
    return text;
}

// Menus of the menu bar, in order; the alpha-tag commands sit in a submenu of Edit.
constexpr Menu k_bar_menus[] = {Menu::File,    Menu::MultiFile,    Menu::Add,     Menu::Edit,
                                Menu::Options, Menu::ImportExport, Menu::Scanner, Menu::Setup,
                                Menu::Tools,   Menu::Browser,      Menu::Help};

}  // namespace

QAction* MainWindow::make_action(Menu menu, const CommandEntry& entry, QObject* parent) {
    const QString caption = to_q(entry.caption);
    // "&" would turn into a mnemonic; the captions are shown as they are.
    auto* act =
        new QAction(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")), parent);
    act->setObjectName(caption);
    act->setEnabled(entry.available);
    if (!entry.available) {
        act->setToolTip(to_q(unavailable_reason(entry.id)));
        act->setStatusTip(act->toolTip());
    }
    const std::string_view submenu = entry.submenu;
    connect(act, &QAction::triggered, this,
            [this, menu, submenu, caption] { dispatch(menu, to_q(submenu), caption); });
    // A caption met again in another submenu of the menu is found under "submenu/caption".
    std::string key(entry.caption);
    if (actions_.count({static_cast<int>(menu), key})) key = std::string(entry.submenu) + "/" + key;
    actions_.emplace(std::pair{static_cast<int>(menu), key}, act);
    return act;
}

QAction* MainWindow::action(Menu menu, const QString& caption) const {
    auto it = actions_.find({static_cast<int>(menu), from_q(caption)});
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::build_menus() {
    QMenuBar* bar = menuBar();
    for (Menu menu : k_bar_menus) {
        QMenu* m = bar->addMenu(to_q(menu_title_with_mnemonic(menu)));
        m->setObjectName(QStringLiteral("mnu_") + to_q(menu_title(menu)));
        // Mnemonics are chosen per menu (and per submenu) among the items shown there.
        std::map<QMenu*, std::string> taken;
        auto mark = [&taken](QMenu* in, QAction* act, std::string_view caption) {
            act->setText(to_q(with_mnemonic(caption, taken[in])));
        };
        if (menu == Menu::Edit) {
            taken[m] = "ur";  // Undo and Redo keep U and R
            undo_action_ = m->addAction(tr("Undo"));
            undo_action_->setShortcut(QKeySequence::Undo);
            undo_action_->setObjectName(QStringLiteral("Undo"));
            redo_action_ = m->addAction(tr("Redo"));
            // Ctrl+Y as the README promises, and Ctrl+Shift+Z as many programs have it.
            redo_action_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
            redo_action_->setObjectName(QStringLiteral("Redo"));
            connect(undo_action_, &QAction::triggered, this, [this] {
                if (session_->undo()) after_undo();
            });
            connect(redo_action_, &QAction::triggered, this, [this] {
                if (session_->redo()) after_undo();
            });
            m->addSeparator();
            update_undo_actions();
        }
        if (menu == Menu::MultiFile) {
            multi_mode_action_ = m->addAction(tr("Several HPD Files at Once"));
            mark(m, multi_mode_action_, "Several HPD Files at Once");
            multi_mode_action_->setObjectName(QStringLiteral("multihpd"));
            multi_mode_action_->setCheckable(true);
            connect(multi_mode_action_, &QAction::toggled, this, [this](bool on) {
                if (on != session_->multi_mode()) session_->set_multi_mode(on);
                update_command_states();
            });
            m->addSeparator();
        }
        std::map<std::string_view, QMenu*> submenus;
        for (const CommandEntry& e : command_table()) {
            if (e.menu != menu) continue;
            QMenu* target = m;
            if (!e.submenu.empty()) {
                auto it = submenus.find(e.submenu);
                if (it == submenus.end()) {
                    QMenu* sub = m->addMenu(to_q(e.submenu));
                    sub->setTitle(to_q(with_mnemonic(e.submenu, taken[m])));
                    it = submenus.emplace(e.submenu, sub).first;
                }
                target = it->second;
            }
            QAction* act = make_action(menu, e, target);
            mark(target, act, e.caption);
            if (shows_ellipsis(e.id)) act->setText(with_ellipsis(act->text()));
            act->setShortcut(shortcut_for(menu, e.caption));
            if (!act->shortcut().isEmpty()) shortcuts_.emplace(e.id, act->shortcut());
            act->setIcon(icon_for(e.id));
            if (e.id == CommandId::ToggleHp2Model) act->setCheckable(true);
            target->addAction(act);
        }
        if (menu == Menu::File) {
            recent_menu_ = new QMenu(tr("Recent Files"), m);
            recent_menu_->setObjectName(QStringLiteral("mnu_recent"));
            recent_menu_->setTitle(to_q(with_mnemonic("Recent Files", taken[m])));
            // Before Exit, where desktop programs keep it.
            QAction* exit = action(Menu::File, QStringLiteral("Exit"));
            m->insertMenu(exit, recent_menu_);
            m->insertSeparator(exit);
            update_recent_menu();
        }
        if (menu == Menu::Edit) {
            m->addSeparator();
            QMenu* tags = m->addMenu(to_q(menu_title(Menu::AlphaTags)));
            tags->setTitle(to_q(with_mnemonic(menu_title(Menu::AlphaTags), taken[m])));
            std::map<std::string_view, QMenu*> scopes;
            for (const CommandEntry& e : command_table()) {
                if (e.menu != Menu::AlphaTags) continue;
                QMenu* target = tags;
                if (!e.submenu.empty()) {
                    auto it = scopes.find(e.submenu);
                    if (it == scopes.end()) {
                        QMenu* sub = tags->addMenu(to_q(e.submenu));
                        sub->setTitle(to_q(with_mnemonic(e.submenu, taken[tags])));
                        it = scopes.emplace(e.submenu, sub).first;
                    }
                    target = it->second;
                }
                QAction* act = make_action(Menu::AlphaTags, e, target);
                mark(target, act, e.caption);
                target->addAction(act);
            }
        }
    }

    // The grid's pop-up menu: the Edit menu's grid commands.
    grid_menu_ = new QMenu(this);
    grid_menu_->setObjectName(QStringLiteral("mnu_grid_popup"));
    for (const CommandEntry& e : command_table())
        if (e.menu == Menu::Edit && e.handler == Handler::Grid) {
            auto* act = new QAction(to_q(e.caption), grid_menu_);
            act->setObjectName(to_q(e.caption));
            act->setEnabled(e.available);
            const QString caption = to_q(e.caption);
            connect(act, &QAction::triggered, this,
                    [this, caption] { dispatch(Menu::Edit, caption); });
            grid_menu_->addAction(act);
        }

    tree_menu_ = new QMenu(this);
    tree_menu_->setObjectName(QStringLiteral("mnu_tree_popup"));
    for (const CommandEntry& e : command_table())
        if (e.menu == Menu::TreePopup)
            tree_menu_->addAction(make_action(Menu::TreePopup, e, tree_menu_));
}

void MainWindow::build_tool_bar() {
    QToolBar* bar = addToolBar(tr("Tools"));
    bar->setObjectName(QStringLiteral("Toolbar1"));
    // The captions stay under the icons: they are the words the menus and the manual use.
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(22, 22));
    bar->setMovable(false);
    // One button per command, under its first caption.
    std::vector<CommandId> seen;
    for (const CommandEntry& e : command_table()) {
        if (e.menu != Menu::ToolBar) continue;
        if (std::find(seen.begin(), seen.end(), e.id) != seen.end()) continue;
        seen.push_back(e.id);
        QAction* act = make_action(Menu::ToolBar, e, bar);
        act->setIcon(icon_for(e.id));
        if (e.available) {
            auto key = shortcuts_.find(e.id);
            const QString keys = key == shortcuts_.end()
                                     ? QString()
                                     : key->second.toString(QKeySequence::NativeText);
            act->setToolTip(to_q(command_tool_tip(e.id, e.caption, from_q(keys))));
        }
        bar->addAction(act);
        if (e.id == CommandId::SaveHpd || e.id == CommandId::FillDown ||
            e.id == CommandId::BackupData)
            bar->addSeparator();
    }
}

// ---- dispatch ----

bool MainWindow::dispatch(Menu menu, const QString& caption) {
    const CommandEntry* entry = find_entry(menu, from_q(caption));
    if (!entry) {
        prompter_->tell(k_no_item_assigned);
        return false;
    }
    return run_command(entry->id);
}

bool MainWindow::dispatch(Menu menu, const QString& submenu, const QString& caption) {
    const CommandEntry* entry = find_entry(menu, from_q(submenu), from_q(caption));
    if (!entry) return dispatch(menu, caption);
    return run_command(entry->id);
}

bool MainWindow::dispatch(const QString& caption) {
    auto id = find_command(from_q(caption));
    if (!id) {
        prompter_->tell(k_no_item_assigned);
        return false;
    }
    return run_command(*id);
}

bool MainWindow::run_command(CommandId id) {
    if (!is_available(id)) {
        status_label_->setText(to_q(unavailable_reason(id)));
        return false;
    }
    switch (handler_of(id)) {
        case Handler::Session: {
            bool ran = session_->run(id, *services_->chooser);
            after_session_command(id);
            return ran;
        }
        case Handler::Grid: {
            // The unit-ID grid takes the grid commands while it is the editor shown.
            bool ran = tabs_->currentWidget() == unit_id_page_ && unit_id_editor_->has_system()
                           ? unit_id_editor_->run(id)
                           : grid_editor_->run(id);
            update_command_states();
            return ran;
        }
        case Handler::Window:
            return run_window_command(id);
    }
    return false;
}

void MainWindow::after_session_command(CommandId id) {
    if (session_->browser_dirty()) rebuild_browser();
    update_command_states();
}

bool MainWindow::run_window_command(CommandId id) {
    if (auto page = card_page(id)) {
        open_favorites(*page);
        return true;
    }
    if (run_tag_command(id)) return true;
    if (ExchangeCommands::handles(id)) return exchange().run(id);
    switch (id) {
        case CommandId::ImportFromDatabase:
        case CommandId::ManageFullDatabase:
            open_masterdb();
            return true;
        case CommandId::RadioReferenceImport:
            open_rr_import();
            return true;
        case CommandId::RadioReferenceSearch:
            open_rr_search();
            return true;
        case CommandId::VirtualControl:
            open_virtual_control();
            return true;
        case CommandId::BulkChannelEdit:
            open_bulk_edit();
            return true;
        case CommandId::SoftwareOptions:
            open_preferences();
            return true;
        case CommandId::OpenUnitIdFile:
        case CommandId::SaveUnitIdFile:
            unit_id_file(id == CommandId::OpenUnitIdFile);
            return true;
        case CommandId::Exit:
            close();
            return true;
        case CommandId::Expand:
            tree_->expandAll();
            return true;
        case CommandId::Collapse:
            tree_->collapseAll();
            return true;
        case CommandId::HighlightChangedSystems:
        case CommandId::HighlightSystems:
        case CommandId::HighlightGroups:
        case CommandId::HighlightLockOutSystems:
        case CommandId::HighlightSites:
        case CommandId::HighlightLockOutSites:
        case CommandId::HighlightLockOutGroups:
        case CommandId::HighlightTrunkGroups:
        case CommandId::HighlightConvGroups: {
            write_back_editors();
            auto keys = session_->highlight_keys(id);
            browser_model_->set_highlighted(keys);
            status_label_->setText(tr("Highlighted: %1").arg(keys.size()));
            return true;
        }
        case CommandId::DeleteMultipleSystems: {
            auto chosen = choose_systems ? choose_systems(tr("Delete Multiple Systems"))
                                         : systems_dialog(tr("Delete Multiple Systems"));
            if (!chosen || chosen->empty()) return true;
            session_->delete_systems(*chosen);
            after_session_command(CommandId::DeleteSystem);
            return true;
        }
        case CommandId::SaveIndividualSystems:
            save_individual_systems();
            return true;
        case CommandId::EditGroups: {
            const Selection& s = session_->selection();
            if (s.level != Level::Group) {
                prompter_->tell("Please click on a group first.");
                return true;
            }
            show_selection(s);
            if (grid_editor_->view()) grid_editor_->view()->setFocus();
            return true;
        }
        case CommandId::OpenCalculator:
            start_program({QStringLiteral("calc.exe"), QStringLiteral("gnome-calculator"),
                           QStringLiteral("kcalc"), QStringLiteral("galculator"),
                           QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")},
                          tr("calculator"));
            return true;
        case CommandId::OpenNotePad:
            open_notepad();
            return true;
        case CommandId::ShortcutsOverview:
            prompter_->tell(grid::shortcuts_overview(), "Shortcuts Overview");
            return true;
        case CommandId::FindInDatabase:
            open_find_in_database();
            return true;
        case CommandId::About:
        case CommandId::OpenSoftwareManual:
        case CommandId::CheckForUpdates:
        case CommandId::FindDuplicates:
        case CommandId::RemoveDuplicates:
        case CommandId::FindLockOutChannels:
        case CommandId::ReviewLockOutChannels:
        case CommandId::ClearLockOut:
        case CommandId::EasyFillChannels:
        case CommandId::EasyFillTrunk:
        case CommandId::DecHexConverter:
        case CommandId::AlertTones:
        case CommandId::UnlockChannels:
            return run_edit_tool(id);
        default:
            prompter_->tell(k_no_item_assigned);
            return false;
    }
}

void MainWindow::update_command_states() {
    if (QAction* hp2 = action(Menu::Scanner, QStringLiteral("Homepatrol HP-2  model")))
        hp2->setChecked(session_->hp2_model());
    if (multi_mode_action_) {
        QSignalBlocker block(multi_mode_action_);
        multi_mode_action_->setChecked(session_->multi_mode());
    }
    CommandContext context;
    context.multi_mode = session_->multi_mode();
    context.edacs_grid = grid_editor_->is_edacs();
    for (Menu menu : {Menu::MultiFile, Menu::Edit})
        for (std::string_view caption : captions_of(menu)) {
            const CommandEntry* e = find_entry(menu, caption);
            if (!e || !e->available) continue;
            if (auto on = context_enabled(e->id, context))
                if (QAction* a = action(menu, to_q(caption))) a->setEnabled(*on);
        }
    // The grid's pop-up hides what the open grid cannot use rather than greying it.
    for (QAction* a : grid_menu_->actions())
        if (const CommandEntry* e = find_entry(Menu::Edit, a->objectName().toStdString()))
            if (auto on = context_enabled(e->id, context)) a->setVisible(*on);
}

// ---- pop-up menus ----

void MainWindow::tree_context_menu(const QPoint& pos) {
    QModelIndex i = tree_->indexAt(pos);
    if (i.isValid() && tree_->currentIndex() != i)
        tree_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    const Selection& s = session_->selection();
    CommandContext context;
    context.has_system = s.system > 0;
    context.conventional = s.system > 0 && session_->store().is_conventional(s.system);
    for (QAction* a : tree_menu_->actions())
        if (const CommandEntry* e = find_entry(Menu::TreePopup, a->objectName().toStdString()))
            a->setVisible(tree_popup_shows(*e, context));
    tree_menu_->popup(tree_->viewport()->mapToGlobal(pos));
}

void MainWindow::grid_context_menu(const QPoint& global_pos) {
    update_command_states();
    grid_menu_->popup(global_pos);
}

// ---- dialogs ----

std::optional<std::vector<int>> MainWindow::systems_dialog(const QString& title) {
    write_back_editors();
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frm_systems"));
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    // One row per system: number, name, type and quick key, the way the save window lists them.
    auto* list = new QTreeWidget(&dialog);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("#"), QStringLiteral("System:"), QStringLiteral("Type:"),
                           QStringLiteral("Key:")});
    const SystemStore& store = session_->store();
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id)) {
        const std::string& key = store.key_of(id);
        if (!starts_with(key, "SYS-")) continue;
        int index = keys::system_of(key);
        const std::string& line = store.text_of(id);
        auto* item = new QTreeWidgetItem(
            list, {QString::number(index), to_q(record_name(line)), to_q(system_type_word(line)),
                   to_q(store.system_slot(index, k_slot_quick_key))});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setData(0, Qt::UserRole, index);
    }
    list->resizeColumnToContents(0);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* all = buttons->addButton(tr("Select All"), QDialogButtonBox::ActionRole);
    connect(all, &QPushButton::clicked, list, [list] {
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            list->topLevelItem(i)->setCheckState(0, Qt::Checked);
    });
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(520, 480);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::vector<int> chosen;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->checkState(0) == Qt::Checked)
            chosen.push_back(list->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    return chosen;
}

void MainWindow::save_individual_systems() {
    auto chosen = choose_systems ? choose_systems(tr("Save Individual Systems as HPD file"))
                                 : systems_dialog(tr("Save Individual Systems as HPD file"));
    if (!chosen) return;
    write_back_editors();
    auto written = session_->save_individual_systems(*chosen, *services_->chooser);
    if (!written.empty())
        status_label_->setText(
            tr("Saved %1 file(s) in %2")
                .arg(written.size())
                .arg(QString::fromStdString(
                    std::filesystem::path(written.front()).parent_path().string())));
}

void MainWindow::open_notepad() {
    // The open HPD file as text, or the user's notes file beside the data when none is open;
    // the desktop's own text editor shows it.
    std::filesystem::path file = session_->file_name();
    if (file.empty()) {
        file = folders_.data / "notes.txt";
        std::error_code ec;
        std::filesystem::create_directories(folders_.data, ec);
        if (!std::filesystem::exists(file, ec)) std::ofstream(file).flush();
    }
    const QString path = QString::fromStdString(file.string());
    if (open_local_file && open_local_file(path)) {
        status_label_->setText(tr("Opened %1 in the text editor").arg(path));
        return;
    }
    prompter_->tell(from_q(tr("No text editor could be started for %1. Open it with a text "
                              "editor of your choice.")
                               .arg(path)),
                    "Open NotePad");
}

void MainWindow::start_program(const QStringList& candidates, const QString& what) {
    for (const QString& program : candidates) {
        QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    prompter_->tell(from_q(tr("No %1 was found on this computer.").arg(what)));
}

}  // namespace tarvex

// ---- File -> Recent Files ----

namespace tarvex {

void MainWindow::update_recent_menu() {
    if (!recent_menu_) return;
    recent_menu_->clear();
    const std::vector<std::string> files = read_recent_files(settings_);
    int n = 0;
    for (const std::string& file : files) {
        const QString path = QString::fromStdString(file);
        // "&1 name" .. "1&0 name": the number picks the entry from the keyboard.
        const QString number = n < 9 ? QStringLiteral("&%1").arg(n + 1) : QStringLiteral("1&0");
        QAction* act = recent_menu_->addAction(
            number + QLatin1Char(' ') +
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&")));
        act->setToolTip(path);
        act->setStatusTip(path);
        act->setData(path);
        connect(act, &QAction::triggered, this, [this, path] { open_recent(path); });
        ++n;
    }
    recent_menu_->setEnabled(!files.empty());
}

void MainWindow::remember_recent(const std::string& path) {
    if (path.empty()) return;
    write_recent_files(settings_, with_recent_file(read_recent_files(settings_), path));
    update_recent_menu();
}

bool MainWindow::open_recent(const QString& path) {
    const std::string file = path.toStdString();
    if (!QFileInfo::exists(path)) {
        write_recent_files(settings_, without_recent_file(read_recent_files(settings_), file));
        update_recent_menu();
        prompter_->tell(recent_file_missing_message(file), "Recent Files");
        return false;
    }
    const bool opened = session_->open_hpd_path(file);
    after_session_command(CommandId::OpenHpd);
    return opened;
}

}  // namespace tarvex
