#pragma once
// The editing session: everything the main window edits and remembers for one run. It owns the
// system store and the group channel files, knows the current selection, the unsaved-changes
// flag, the HPD file(s) the data came from, and carries out the store commands of the menus,
// the add buttons and the browser's pop-up menu. The window holds one session, shows what it
// reports and calls its operations; every decision (which question, which message, which record
// line, which file) is made here so it can be tested without a window.
//
// The window learns about changes through `events` (all optional): the changed flag for the
// title's modified marker, a browser rebuild request, status texts and the file name for the
// title. The open editor (grid, system, site or department form) is reached through `editor`:
// the session asks it to write itself back before saving, copying, pasting, deleting or
// selecting another node, to reload after the session rewrote the files under it, and to close
// when the object it shows is gone.
#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/commands.h"
#include "core/editor/editor_place.h"
#include "core/editor/recovery.h"
#include "core/editor/undo_history.h"
#include "core/model/browser_tree.h"
#include "core/settings/folders.h"

namespace tarvex {

class Prompter;
class Progress;
class Settings;
class SystemStore;
class GroupFiles;

// ---- choosing files ----

// The window's file dialogs. Every method returns nullopt when the user cancels.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // A file to read (the dialog offers ".hpd", ".HPD" and ".txt"); `start_folder` may be empty.
    virtual std::optional<std::string> open_file(std::string_view title,
                                                 const std::filesystem::path& start_folder) = 0;
    virtual std::optional<std::string> save_file(std::string_view title,
                                                 std::string_view suggested_name) = 0;
    // "Choose a folder:"
    virtual std::optional<std::string> choose_folder(std::string_view title) = 0;
};

// Answers from a queue, nullopt once it is empty: files named on the command line or dropped
// on the window, and tests. It also records every title it was asked with.
class ScriptedFileChooser : public FileChooser {
  public:
    ScriptedFileChooser() = default;
    explicit ScriptedFileChooser(std::vector<std::optional<std::string>> answers)
        : answers_(answers.begin(), answers.end()) {}
    void push(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
    std::optional<std::string> open_file(std::string_view title,
                                         const std::filesystem::path& start_folder) override;
    std::optional<std::string> save_file(std::string_view title,
                                         std::string_view suggested_name) override;
    std::optional<std::string> choose_folder(std::string_view title) override;
    std::vector<std::string> asked;  // titles, in order

  private:
    std::optional<std::string> next(std::string_view title);
    std::deque<std::optional<std::string>> answers_;
};

// A chosen name is taken only when it holds ".hpd", ".HPD" or ".txt"; any other is ignored
// without a message (the dialog offers only those).
bool accepted_hpd_name(std::string_view name);
// The main window's title: `base`, followed by " - file: " + the file name once there is one.
std::string window_title(std::string_view base, std::string_view file_name);

// ---- new systems ----

enum class NewSystemKind {
    Conventional,
    Motorola,
    MotorolaRebanded,
    Edacs,
    Ltr,
    P25,
    P25X2Tdma,
    MotoTrbo,
    DmrOneFrequency
};
// The default SIN line of a new system of the kind.
std::string_view default_system_line(NewSystemKind kind);
// "0" conventional, "1" Motorola (both), "2" EDACS, "4" LTR, "5" P25, "7" X2, "8" TRBO, "9" DMR.
std::string_view default_type_code(NewSystemKind kind);
std::optional<NewSystemKind> new_system_kind(CommandId id);

// The first group of new systems and of "New Group".
inline constexpr std::string_view k_new_trunk_group =
    "GIN,T-Group,TGroupId=0,AgencyId=0,New Department:,Off,0.000000,-00.000000,0.0,Circle,Off";
// + a number + k_new_group_tail
inline constexpr std::string_view k_new_conventional_group_head =
    "GIN,C-Group,CGroupId=0,AgencyId=0,New Department ";
// "New Group": + "Department: " + index + k_new_group_tail
inline constexpr std::string_view k_new_group_head = "GIN,C-Group,CGroupId=0,AgencyId=0,";
inline constexpr std::string_view k_new_group_tail = ",Off,0.000000,-00.000000,0.0,Circle,Off";
// "New Group" hands out indexes 0..255 only; files and imports may fill all 400.
inline constexpr int k_last_new_group_index = 255;

// ---- selection ----

enum class Level { None, System, Site, SitesFolder, Group, UnitIds, Favorites };
// The level label of the window: "SYSTEM", "SITE", "GROUP", "UID", "FAV" ("" for none).
std::string_view level_label(Level level);

struct Selection {
    Level level = Level::None;
    std::string key;  // the browser key clicked
    int system = 0;   // 0 = none
    int site = 0;     // 0 = none
    int group = -1;   // -1 = none
    int list = 0;     // favorites list number (1-based), 0 = none
};

// ---- settings read at start-up and written at shutdown ----

// Window place and size and the browser width, in twips as the settings store keeps them.
struct WindowPlace {
    int left = 100, top = 100, width = 0, height = 0;
    int state = 0;  // 0 normal, 2 maximised
    int browser_left = 3200;
};
inline constexpr int k_twips_per_pixel = 15;
inline int twips_to_pixels(int twips) {
    return twips / k_twips_per_pixel;
}
inline int pixels_to_twips(int pixels) {
    return pixels * k_twips_per_pixel;
}

struct StartupSettings {
    bool multihpd = false;
    bool hp2model = false;
    TreeOrdering treesort = TreeOrdering::None;
    bool checkupdates = true;
    std::string comport = "1", baudrate = "57600";
    std::array<std::string, 51> options;  // optie0 .. optie50
    std::string def_lat, def_long, def_range = "10";
    std::array<bool, 4> def_ena{true, true, true, true};
    WindowPlace place;
};
// The serial speeds the settings window offers.
inline constexpr std::array<std::string_view, 5> k_baud_rates = {"9600", "19200", "38400", "57600",
                                                                 "115200"};

// Reads every start-up key; the window size defaults come from the screen (twips).
StartupSettings read_startup_settings(const Settings& settings, int default_width,
                                      int default_height);
// Writes what the window changes during a run: multihpd, hp2model, treesort, window place,
// browser width and the serial port.
void write_shutdown_settings(Settings& settings, const StartupSettings& values);

inline constexpr std::string_view k_firmware_warning =
    "Warning, this version only works with Homepatrol firmware V2! Please use Sentinel to "
    "update your HP-1.";
// True the first time only: the firmware warning is due unless `showmsg1` says it was shown;
// asking remembers it. The window shows the warning (k_firmware_warning) in its message bar.
bool firmware_warning_due(Settings& settings);

// ---- the session ----

inline constexpr std::string_view k_unwritten_edits =
    "The grid holds edits that could not be written to the temp folder (the disk may be full). "
    "Nothing was saved; free some space and try again.";

struct SessionEvents {
    std::function<void(bool changed)> changed;        // the unsaved-changes flag changed
    std::function<void()> browser;                    // the browser must be rebuilt
    std::function<void(std::string_view)> status;     // "Ready", "Saved: x", "Done saving"
    std::function<void(std::string_view)> file_name;  // the current HPD file name changed
    std::function<void(const Selection&)> selection;  // the selection changed
    std::function<void()> history;                    // undo or redo became (un)available
};

struct EditorHooks {
    std::function<void()> write_back;    // write the shown record / grid back to the store
    std::function<void()> reload;        // the shown data was changed underneath the editor
    std::function<void()> close;         // back to the default view: what it showed is gone
    std::function<bool()> unwritten;     // it holds edits it could not write to the temp folder
    std::function<EditorPlace()> place;  // where the user stands in the open grid
};

class EditingSession {
  public:
    // The group channel files live in folders.run_temp.
    EditingSession(Prompter& prompter, DataFolders folders);
    ~EditingSession();
    EditingSession(const EditingSession&) = delete;
    EditingSession& operator=(const EditingSession&) = delete;

    SystemStore& store() { return *store_; }
    const SystemStore& store() const { return *store_; }
    GroupFiles& files() { return *files_; }
    Prompter& prompter() { return prompter_; }
    const DataFolders& folders() const { return folders_; }
    void set_progress(Progress& progress) { progress_ = &progress; }
    Progress& progress() { return *progress_; }

    SessionEvents events;
    EditorHooks editor;

    // The values read at start-up; the session keeps multihpd, hp2model and treesort in them
    // and shutdown writes them back.
    StartupSettings& settings() { return settings_; }
    const StartupSettings& settings() const { return settings_; }
    void apply_settings(const StartupSettings& values);

    // ---- unsaved changes ----
    bool changed() const { return changed_; }
    // Sets the flag; with a system index also counts the change on that system (the
    // "Changed Systems" highlight).
    void mark_changed(int system = 0);
    void clear_changed();

    // ---- undo ----
    // Every change to the store and the group files made between begin_change and end_change
    // becomes one undo step named `label`; nested pairs join the outermost one, and a pair that
    // changed nothing leaves no step. The open editor is written back first (its pending edit
    // becomes a step of its own), so the step holds only what the operation did. Change is the
    // same as a scope: `EditingSession::Change change(session, "Remove Duplicates");`.
    void begin_change(std::string label);
    void end_change();
    class Change {
      public:
        Change(EditingSession& session, std::string label) : session_(session) {
            session_.begin_change(std::move(label));
        }
        ~Change() { session_.end_change(); }
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

      private:
        EditingSession& session_;
    };
    bool recording() const { return recording_ != nullptr; }
    // Puts back the store, the group files and the lists as they were before (after) the step,
    // selects what was selected then and reloads the editors. False when there is no step.
    bool undo();
    bool redo();
    // After an undo or redo that left the same record selected: where the user stood before
    // it, for the view to go back to (the grid reopens from its file). nullopt otherwise.
    const std::optional<EditorPlace>& place_after_step() const { return place_after_step_; }

    // ---- listeners of the data ----
    // Called after every change of the store or the group files, however it came: a recorded
    // change (a grid edit, a delete, an import), an undo or redo, a file read, a close. Windows
    // that show what the data holds subscribe once instead of being refreshed one by one.
    int subscribe(std::function<void()> listener);
    void unsubscribe(int id);
    bool can_undo() const { return history_.can_undo(); }
    bool can_redo() const { return history_.can_redo(); }
    // "Undo Delete System" / "Redo Edit cell"; "Undo" / "Redo" without a step.
    std::string undo_text() const;
    std::string redo_text() const;
    const UndoHistory& history() const { return history_; }

    // ---- values the scanner cannot use ----
    // The grid editor names every group the user edited, so that a save or an upload checks
    // what was typed (files read as they came are not nagged about).
    void note_edited_group(int system, int group) { edited_groups_.insert({system, group}); }
    // The errors of the edited groups, one line each ("Sheriff, row 3, Frequency: abc is not a
    // frequency in MHz"), as Check finds them.
    std::vector<std::string> marked_values() const;
    // Before writing them out: when there are marked values, names their rows and asks
    // whether to go on anyway ("Save" / "Send to the card"); false to go back.
    bool confirm_marked_values(std::string_view action);

    // ---- crash recovery ----
    // At start-up: offers the unsaved changes of every run that died ("Recover unsaved changes
    // from <time>?"), newest first, until one is taken; declined ones are removed, the rest
    // wait for the next start. Left-over run folders without changes and stale ".part" files of
    // the data folders are swept. Returns true when changes were recovered.
    bool offer_recovery();
    // Takes over the store snapshot and the group files of a dead run's folder (which stays).
    bool recover_from(const std::filesystem::path& folder);

    // ---- the current file ----
    const std::string& file_name() const { return file_name_; }
    void set_file_name(std::string name);
    std::string title(std::string_view base) const { return window_title(base, file_name_); }

    // ---- browser ----
    TreeOrdering ordering() const { return settings_.treesort; }
    void set_ordering(TreeOrdering ordering);
    bool browser_dirty() const { return browser_dirty_; }
    void request_browser();  // marks the browser dirty and tells the window
    // Builds the browser (the favorites view in several-files mode), selects the previous key
    // again and clears the dirty mark.
    BrowserTree build_browser();
    // The browser keys a highlight command marks (HighlightChangedSystems .. HighlightConvGroups).
    std::vector<std::string> highlight_keys(CommandId highlight) const;

    // ---- selection ----
    const Selection& selection() const { return selection_; }
    // A click on a browser node: the open editor is written back first; then the level and the
    // indexes are taken from the key. Returns the new selection.
    const Selection& select(std::string_view browser_key);
    void clear_selection();

    // ---- files ----
    // "Open HPD File": asks when there are unsaved changes, then replaces everything with the
    // chosen file. The data is kept when the question or the dialog is cancelled, or when the
    // file cannot be read.
    bool open_hpd(FileChooser& chooser);
    bool open_hpd_path(const std::string& path);
    // "Add HPD File": the file's systems join the store. `flags` as read_hpd takes them
    // (conventional only, trunked only); `start_folder` for the master-database file.
    bool add_hpd(FileChooser& chooser, uint16_t flags = 0,
                 const std::filesystem::path& start_folder = {});
    bool add_hpd_path(const std::string& path, uint16_t flags = 0);
    // "HPD Files": every ".hpd" file of a chosen folder, in name order. Returns files read.
    int import_hpd_folder(FileChooser& chooser);
    // Files named on the command line or dropped on the window, loaded one per timer tick:
    // the first opens (with the unsaved-changes question), the others are added.
    void queue_files(std::vector<std::string> paths, bool first_opens);
    bool has_queued() const { return !queue_.empty(); }
    bool load_next_queued();  // true while more files wait

    // ---- data from the memory card and the master database ----
    // Their windows read into the store themselves; the session prepares the data for them and
    // takes note of what arrived.
    // The open editor writes itself back, so an upload sends what the user sees.
    void write_back() { write_back_editor(); }
    // Before a favorites list replaces the data: with unsaved changes, the question of "Open HPD
    // File". True to go on.
    bool confirm_replace();
    // Empties everything for a favorites list about to be read: store, group files, selection,
    // file name and the unsaved-changes flag. Asks nothing (confirm_replace does).
    void clear_data();
    // A reader outside the session added systems to the store. Those the browser did not show
    // when it was last built are new: each counts as changed, the flag is set, and the browser
    // is rebuilt (in the several-files mode they join the list in use). Returns them.
    std::vector<int> systems_arrived();

    // "Save HPD File": asks for a name only when none is known. "Save HPD File As" always asks.
    bool save_hpd(FileChooser& chooser);
    bool save_hpd_as(FileChooser& chooser);
    bool save_to(std::string path);
    // "Close System": the current system, after the question when there are unsaved changes.
    bool close_system();
    // "Close": every system, after the question.
    bool close_all();
    // "Quick Save All Systems": each system to its own file in the data folder, status
    // "Done saving", every change counter reset. Returns the files written.
    std::vector<std::string> quick_save_all();

    // ---- several HPD files at once (multihpd) ----
    bool multi_mode() const { return settings_.multihpd; }
    void set_multi_mode(bool on);
    const std::vector<HpdFileEntry>& hpd_files() const { return hpd_files_; }
    void new_hpd();                            // "New HPD": an empty list
    bool multi_add_hpd(FileChooser& chooser);  // "Add HPD file": a file as a new list
    bool multi_add_path(const std::string& path);
    bool remove_hpd();  // "Remove HPD": the selected list and its systems
    bool save_all_hpd_files(FileChooser& chooser);  // "Save All HPD files"
    // "Save Individual Systems as HPD file": the ticked systems, each to its own file under the
    // folder the user picks. Returns the files written.
    std::vector<std::string> save_individual_systems(const std::vector<int>& systems,
                                                     FileChooser& chooser);

    // ---- adding ----
    std::optional<int> new_system(NewSystemKind kind);
    std::optional<int> new_site();   // in the current system
    std::optional<int> new_group();  // in the current system

    // ---- the browser's pop-up menu ----
    bool copy_system();
    std::optional<int> paste_system();
    bool delete_current_system();
    // "Delete Multiple Systems": one question for all of them. Returns how many were deleted.
    int delete_systems(const std::vector<int>& systems);
    // The deletes behind the system and site forms' buttons, after their own question:
    // no question here.
    bool remove_system(int system);
    bool remove_site(int system, int site);
    bool copy_site();
    std::optional<int> paste_site();
    bool delete_current_site();
    bool copy_group();
    std::optional<int> paste_group();
    bool delete_current_group();

    // ---- options ----
    // "Unlock" / "Unlock All Channels": every channel and talkgroup of the current system set
    // to not avoided. Returns the rows changed.
    int unlock_channels();
    bool hp2_model() const { return settings_.hp2model; }
    void toggle_hp2_model();

    // Runs a command whose handler is Handler::Session. False for any other command (and for
    // unavailable ones), which the window routes itself.
    bool run(CommandId id, FileChooser& chooser);

    // ---- shutdown ----
    // The unsaved-changes question, answered Save / Don't Save / Cancel. Save saves first (the
    // chooser names a file when there is none; no chooser, or a save that did not happen, keeps
    // the window open); false keeps the window open with everything in place.
    bool confirm_shutdown(FileChooser* chooser = nullptr);
    // Deletes every group file and the run temp folder and writes the settings. Call once,
    // after confirm_shutdown agreed.
    void shut_down(Settings& settings);

  private:
    // A new site's or group's record with the default location for new items.
    std::string located(std::string_view record) const;
    // Writes the editor back; true (after saying so) when it still holds unwritten edits.
    bool editor_unwritten();
    void write_back_editor();
    void apply_step(const UndoStep& step, bool forward);
    // Undo (forward false) or redo of the next step, with the selection and place after it.
    bool step(bool forward);
    void notify_data_changed();
    void reset_history();
    void set_changed(bool changed);
    // Brings "session.recovery" up to date: written while there are unsaved changes and the
    // store or the file list moved since, removed once there are none.
    void keep_recovery();
    void close_editor();
    void reload_editor();
    void status(std::string_view text);
    bool ask_warning(std::vector<std::string> lines);
    void reset_all();
    std::optional<std::string> choose_open(FileChooser& chooser, std::string_view title,
                                           const std::filesystem::path& start);
    bool open_confirmed(const std::string& path);
    bool read_file(const std::string& path, uint16_t flags, std::vector<int>* added);
    bool write_systems(const std::string& path, const std::vector<int>& systems);
    void after_structure_change(int system, std::string_view select_key = {});
    void forget_system(int system);
    void adopt_systems(const std::vector<int>& systems);
    int current_list_index() const;

    Prompter& prompter_;
    Progress* progress_;
    DataFolders folders_;
    std::unique_ptr<SystemStore> store_;
    std::unique_ptr<GroupFiles> files_;
    StartupSettings settings_;
    bool changed_ = false;
    bool browser_dirty_ = true;
    std::string file_name_;
    Selection selection_;
    std::vector<HpdFileEntry> hpd_files_;
    std::set<int> shown_systems_;                     // the systems of the browser last built
    std::deque<std::pair<std::string, bool>> queue_;  // path, opens (else adds)

    struct Recording {
        std::string label;
        int depth = 0;
        std::shared_ptr<const SystemStore::Snapshot> store_before;
        uint64_t revision = 0;
        std::map<std::pair<int, int>, std::optional<std::string>> files;  // bytes before
        std::vector<HpdFileEntry> lists_before;
        std::string select_before;
    };
    std::unique_ptr<Recording> recording_;
    UndoHistory history_;
    std::optional<EditorPlace> place_after_step_;
    std::map<int, std::function<void()>> listeners_;
    int next_listener_ = 1;
    bool writing_back_ = false;
    // The last store snapshot taken and the store revision it shows: the next step's "before"
    // when nothing changed the store in between.
    std::shared_ptr<const SystemStore::Snapshot> last_snapshot_;
    uint64_t last_snapshot_revision_ = ~uint64_t{0};
    std::set<std::pair<int, int>> edited_groups_;
    bool recovery_written_ = false;
    uint64_t recovery_revision_ = 0;
    RecoveryMeta recovery_meta_;
};

// Start-up in the order the window needs it: fixes the folders (run temp folder numbered by
// the time of day), reads the settings, decides whether the firmware warning is due, and returns a
// session ready to show an empty browser with the status "Ready".
struct Startup {
    DataFolders folders;
    std::unique_ptr<EditingSession> session;
    bool firmware_warning = false;  // show k_firmware_warning (first start only)
};
Startup start_up(const PlatformFolders& platform, Settings& settings, Prompter& prompter,
                 int default_width, int default_height, long long run_number);

}  // namespace tarvex
