#pragma once
// The main window: the browser `TreeView2` on the left with the add buttons, the editors on the
// right (group grid, system, department and site forms), the menu bar, the tool bar, the status
// bar and the hidden diagnostic list. It holds the editing session and shows what it reports;
// every command goes by its caption through the core's command table.
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/tools/easy_fill_dialog.h"
#include "core/editor/commands.h"
#include "core/settings/folders.h"

class QAction;
class QDialog;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QSplitter;
class QTabWidget;
class QTimer;
class QTreeView;

namespace tarvex {

class AlertTonePlayer;
class AlertTonesWindow;
class BrowserModel;
class BulkEditWindow;
class DecHexWindow;
class DuplicatesWindow;
class LockoutsWindow;
class FindInDatabaseWindow;
class UpdateCheckDialog;
class EditingSession;
class ExchangeCommands;
class FavoritesWindow;
class GridEditor;
class MasterDbWindow;
class PreferencesDialog;
class FrmImportRR;
class FrmRrSearch;
class Prompter;
class QtProgress;
class Settings;
class SiteEditor;
class SystemEditor;
class UnitIdEditor;
class VirtualControlWindow;
struct MainWindowOptions;  // app/editor/main_window_options.h
struct Selection;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* k_title = "Tarvex";

    MainWindow(Settings& settings, const PlatformFolders& platform, QWidget* parent = nullptr);
    MainWindow(Settings& settings, const PlatformFolders& platform,
               const MainWindowOptions& options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window where the settings put it (maximised when it was).
    void show_in_place();

    // Runs the command of a caption as the menu, tool bar or add buttons name it. False when
    // nothing ran (unknown caption, or a command that is not available yet).
    bool dispatch(Menu menu, const QString& caption);
    // A caption of a submenu ("All Groups in System", "Center").
    bool dispatch(Menu menu, const QString& submenu, const QString& caption);
    // The same by caption alone (its first entry in the table).
    bool dispatch(const QString& caption);

    // Files named on the command line or dropped on the window: the first opens, the others
    // are added, one per timer tick.
    void open_files(const QStringList& paths);

    EditingSession& session() { return *session_; }
    const DataFolders& folders() const { return folders_; }
    QTreeView* browser() const { return tree_; }
    BrowserModel* browser_model() const { return browser_model_; }
    GridEditor* grid_editor() const { return grid_editor_; }
    SystemEditor* system_editor() const { return system_editor_; }
    SystemEditor* department_editor() const { return department_editor_; }
    SiteEditor* site_editor() const { return site_editor_; }
    UnitIdEditor* unit_id_editor() const { return unit_id_editor_; }
    QTabWidget* editor_tabs() const { return tabs_; }
    QListWidget* diagnostics() const { return diagnostics_; }
    // Edit -> Undo and Redo: the session's history, over every editor and command.
    QAction* undo_action() const { return undo_action_; }
    // The process was told to stop: no questions; the run folder goes as on a clean exit, or
    // stays for the next start's recovery offer when there are unsaved changes.
    void terminate();
    QAction* redo_action() const { return redo_action_; }
    QLabel* status_label() const { return status_label_; }
    // The tool windows while they are open (nullptr otherwise): one of each at a time.
    FavoritesWindow* favorites_window() const;
    MasterDbWindow* masterdb_window() const;
    FrmImportRR* rr_import_window() const;
    FrmRrSearch* rr_search_window() const;
    VirtualControlWindow* virtual_control_window() const;
    BulkEditWindow* bulk_edit_window() const;
    // The editing tools (main_window_edit_tools.cpp), while they are open.
    DuplicatesWindow* duplicates_window() const;
    LockoutsWindow* lockouts_window() const;
    FindInDatabaseWindow* find_in_database_window() const;
    DecHexWindow* dec_hex_window() const;
    AlertTonesWindow* alert_tones_window() const;
    UpdateCheckDialog* update_check_dialog() const;
    // Setup -> "Software Options" (main_window_preferences.cpp), while it is open.
    PreferencesDialog* preferences_dialog() const;
    AlertTonePlayer* alert_player() const { return alert_player_; }
    // At start-up, only when the user agreed in "Check for Updates": asks the version address
    // without waiting for it and puts a newer version in the status bar. Silent otherwise.
    void check_updates_at_startup();
    // The CSV mapper, web page and print commands (made on first use).
    ExchangeCommands& exchange();
    // The menu or tool-bar action of a caption (nullptr when there is none).
    QAction* action(Menu menu, const QString& caption) const;
    // File -> Recent Files (newest first) and the bar above the editors for notes that must not
    // stop the user (the first-run firmware warning).
    QMenu* recent_menu() const { return recent_menu_; }
    // Opens an entry of Recent Files; a file that is gone leaves the list with a message.
    bool open_recent(const QString& path);
    QFrame* message_bar() const { return message_bar_; }
    QLabel* message_bar_text() const { return message_text_; }
    void show_message_bar(const QString& text);
    QWidget* start_page() const { return start_page_; }
    // Selects a browser node as a click on it does.
    bool click_node(const std::string& key);

    // Picks systems for "Delete Multiple Systems" and "Save Individual Systems as HPD file";
    // the default shows a check list. Tests replace it.
    std::function<std::optional<std::vector<int>>(const QString& title)> choose_systems;
    // Opens a web address in the default browser; tests replace it. A browser that cannot be
    // started gets a message.
    std::function<void(const std::string& url)> open_url;
    // Opens a local file with the desktop's program for it ("Open NotePad"); false when none
    // could be started. Tests replace it.
    std::function<bool(const QString& path)> open_local_file;
    // Runs a modal dialog ("Justify Alpha Tags:", the lookup window) and returns its result
    // code; tests replace it.
    std::function<int(QDialog& dialog)> run_dialog;
    // Asks for an easy fill; the default shows the dialog. Tests replace it.
    std::function<std::optional<EasyFillRequest>(bool talkgroups, int room)> choose_easy_fill;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void build_ui();
    void build_menus();
    void build_tool_bar();
    QWidget* build_browser_panel();
    QAction* make_action(Menu menu, const CommandEntry& entry, QObject* parent);
    void connect_session();
    void apply_place();
    bool run_command(CommandId id);
    bool run_window_command(CommandId id);
    void after_session_command(CommandId id);
    void rebuild_browser();
    void node_activated(const QModelIndex& index);
    void show_selection(const Selection& selection);
    void show_page(QWidget* page);
    void write_back_editors();
    void close_editors();
    void reload_editors();
    void update_title();
    void update_labels(const Selection& selection);
    void update_command_states();
    void update_recent_menu();
    void remember_recent(const std::string& path);
    void update_start_page();
    void fit_browser_width();
    QWidget* build_message_bar();
    void tree_context_menu(const QPoint& pos);
    void grid_context_menu(const QPoint& global_pos);
    std::optional<std::vector<int>> systems_dialog(const QString& title);
    void save_individual_systems();
    void start_program(const QStringList& candidates, const QString& what);
    void open_notepad();
    // Alpha tags and locations (main_window_tags.cpp).
    bool run_tag_command(CommandId id);
    void open_justify_tags();
    void open_location_search();
    // "GPS Home" / "GPS Defaults": the location dialog on the settings alone.
    void open_gps_settings(bool home);
    void show_all_on_map();
    void open_in_browser(const std::string& url);
    // The tool windows (main_window_tools.cpp).
    void open_favorites(CardPage page);
    void open_masterdb();
    void open_rr_import();
    void open_rr_search();
    void open_virtual_control();
    void open_bulk_edit();
    void open_preferences();
    void preferences_changed(const QStringList& ids);
    // "Open Unit ID file" / "Save Unit ID file" on the current system's unit IDs.
    void unit_id_file(bool open);
    void show_tool_window(QWidget* window);
    void data_arrived();
    void close_tool_windows();
    // The editing tools (main_window_edit_tools.cpp).
    bool run_edit_tool(CommandId id);
    void connect_edit_tools();
    void open_duplicates();
    void open_lockouts();
    void open_find_in_database();
    // Opens a hit of Find in Database: its system, site or group, and the row in the grid.
    void open_hit(int system, int site, int group, int row);
    void easy_fill(bool talkgroups);
    void open_manual();
    void open_row(int system, int group, int row);
    void refresh_edit_tools();
    // After Edit -> Undo or Redo: the open tool windows show the state put back.
    void after_undo();

    // The file dialogs (or the injected chooser), kept out of this header: the class name of the
    // session's chooser must not meet other windows' names in the meta-object code.
    struct Services;

    Settings& settings_;
    std::unique_ptr<Prompter> own_prompter_;
    Prompter* prompter_;
    std::unique_ptr<Services> services_;
    DataFolders folders_;
    std::unique_ptr<EditingSession> session_;
    std::unique_ptr<QtProgress> progress_;
    bool shut_down_ = false;
    bool rebuilding_ = false;
    bool start_maximized_ = false;
    bool placed_ = false;
    bool browser_width_chosen_ = false;

    QSplitter* splitter_ = nullptr;
    QTreeView* tree_ = nullptr;
    BrowserModel* browser_model_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QWidget* start_page_ = nullptr;
    GridEditor* grid_editor_ = nullptr;
    SystemEditor* system_editor_ = nullptr;
    SystemEditor* department_editor_ = nullptr;
    SiteEditor* site_editor_ = nullptr;
    QWidget* unit_id_page_ = nullptr;
    UnitIdEditor* unit_id_editor_ = nullptr;
    QListWidget* diagnostics_ = nullptr;
    QAction* undo_action_ = nullptr;
    QAction* redo_action_ = nullptr;
    void update_undo_actions();
    QTimer* queue_timer_ = nullptr;
    QLabel* status_label_ = nullptr;
    QLabel* level_label_ = nullptr;
    QLabel* system_label_ = nullptr;
    QLabel* site_label_ = nullptr;
    QLabel* group_label_ = nullptr;
    QLabel* progress_label_ = nullptr;
    QMenu* grid_menu_ = nullptr;
    QMenu* tree_menu_ = nullptr;
    QMenu* recent_menu_ = nullptr;
    QFrame* message_bar_ = nullptr;
    QLabel* message_text_ = nullptr;
    QLabel* start_text_ = nullptr;
    std::map<CommandId, QKeySequence> shortcuts_;  // the menu key of each command that has one
    std::map<std::pair<int, std::string>, QAction*> actions_;  // (menu, caption)
    QAction* multi_mode_action_ = nullptr;
    QPointer<FavoritesWindow> favorites_;
    QPointer<MasterDbWindow> masterdb_;
    QPointer<FrmImportRR> rr_import_;
    QPointer<FrmRrSearch> rr_search_;
    QPointer<VirtualControlWindow> virtual_control_;
    QPointer<BulkEditWindow> bulk_edit_;
    QPointer<DuplicatesWindow> duplicates_;
    QPointer<LockoutsWindow> lockouts_;
    QPointer<FindInDatabaseWindow> find_in_database_;
    QPointer<DecHexWindow> dec_hex_;
    QPointer<AlertTonesWindow> alert_tones_;
    QPointer<UpdateCheckDialog> update_check_;
    QPointer<PreferencesDialog> preferences_;
    AlertTonePlayer* alert_player_ = nullptr;
    ExchangeCommands* exchange_ = nullptr;
};

}  // namespace tarvex
