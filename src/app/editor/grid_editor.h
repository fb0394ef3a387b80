#pragma once
// The group grid editor: the group's header fields above the channel grid `convgrid` or the
// talkgroup grid `trunkgrid`, a find bar and the check results below. It loads a group's file
// when the group is opened and writes the grid and the header back when the group is left,
// the file is saved or the session asks for it. Every edit is written through to the group's
// file at once, inside one session change, so it is one step of the session's undo and is on
// disk should the program die. Every grid operation is a core function; this class only picks
// the selection, writes the result and refreshes.
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "core/editor/alpha_tags.h"
#include "core/editor/commands.h"
#include "core/editor/editor_place.h"
#include "core/editor/grid_fit.h"
#include "core/editor/grid_ops.h"
#include "core/editor/record_editors.h"

class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace tarvex {

class EditingSession;
class GridModel;
class GridView;
class Settings;

class GridEditor : public QWidget {
    Q_OBJECT
  public:
    GridEditor(EditingSession& session, Settings& settings, QWidget* parent = nullptr);
    ~GridEditor() override;

    // Leaves the group shown so far (writing it back) and shows this one.
    void open_group(int system, int group);
    bool has_group() const { return group_ >= 0 && system_ > 0; }
    int system() const { return system_; }
    int group() const { return group_; }
    grid::GridKind kind() const { return kind_; }
    // True when the shown group belongs to an EDACS system (the AFS conversions apply).
    bool is_edacs() const;
    // The side table's type code of the shown group's system; it picks the talkgroup forms.
    int system_type() const;

    // Commits an open cell editor and the header; writes the grid again when an earlier write
    // failed. The view stays as it is.
    void write_back();
    // True while the grid holds rows its file does not (a write failed).
    bool unwritten() const { return has_group() && dirty_; }
    // write_back, then shows no group.
    void leave();
    // The group's file was rewritten underneath: load it again.
    void reload();
    // The group is gone: show nothing, write nothing.
    void forget();

    // Runs a grid command; false when `id` is not one. Reports missing grids itself.
    bool run(CommandId id);
    // Runs an operation of another window (easy fill) on the shown grid as one undo step.
    grid::GridChange apply(const QString& label,
                           const std::function<grid::GridChange(TextGrid&)>& op) {
        return change(label, op);
    }
    // Adds tab-separated lines after the last used row as one undo step, the way "Paste Line"
    // adds them (the CSV mapper's "Send to Grid"). False when nothing was added.
    bool append_lines(const QString& label, const std::string& text);
    // The command's core routine name, for the "no_invoer" diagnostics.
    static std::string_view routine_name(CommandId id);

    GridView* view() const;  // the shown grid (convgrid or trunkgrid)
    GridModel* model() const;
    GridView* channel_view() const { return conv_view_; }
    GridView* talkgroup_view() const { return trunk_view_; }
    QLineEdit* name_edit() const { return name_; }
    QListWidget* check_results() const { return check_list_; }
    QPushButton* fix_button() const { return fix_button_; }

    // Writes both grids' column widths to the settings (twips).
    void save_column_widths();
    // The selection as a core range (the current cell when nothing is selected).
    grid::CellRange selected_range() const;
    void select_range(const grid::CellRange& range);
    // Where the user stands (current cell, first row shown), and back there after the grid was
    // loaded again (an undo); rows past the end go to the last row.
    EditorPlace place() const;
    void restore_place(const EditorPlace& place);

    // Picks the target group of "Move To"/"Copy To"; the default shows a dialog. Tests replace it.
    std::function<std::optional<std::pair<int, int>>(bool move)> choose_target_group;
    // Where a link is opened (the default browser); tests replace it.
    std::function<void(const std::string& url)> open_url;

    // Alpha tags of the whole open grid ("Current Group" / "Current Department"), one undo
    // step. Without a grid: "Please click on a grid first". False when nothing ran.
    bool transform_tags(const TagTransform& transform);
    // "GPS Location Data Editor:" for the group's header fields.
    void open_location();
    // Runs a modal dialog of the editor (its result code); tests replace it.
    std::function<int(QDialog& dialog)> run_dialog;

  signals:
    void status(const QString& text);
    void diagnostic(const QString& line);
    void context_menu(const QPoint& global_pos);
    // The group's name as typed, for the browser.
    void group_renamed(const QString& key, const QString& name);

  private:
    void build_ui();
    GridView* make_view(const QString& name, grid::GridKind kind, GridModel*& model);
    void set_up_columns(GridView* view, grid::GridKind kind);
    // Fits the columns the user has not sized into the view's width (see grid::fit_widths).
    void fit_columns(GridView* view);
    void show_header(const GroupHeaderForm& form);
    GroupHeaderForm header_form() const;
    void header_edited();
    void commit_header();
    std::string group_key() const;
    // Runs `edit` on the model and writes the grid to the group's file, as one undo step.
    void commit(const QString& label, const std::function<bool()>& edit);
    bool write_grid();
    void cell_edited(int grid_row, int col, const std::string& value);
    bool key_pressed(int grid_row, int col, const std::string& key);
    std::optional<std::vector<std::string>> cell_choices(int grid_row, int col) const;
    // Runs an operation on the grid; an undo step when it changed anything.
    grid::GridChange change(const QString& label,
                            const std::function<grid::GridChange(TextGrid&)>& op);
    bool no_grid(CommandId id);
    std::string clipboard_text() const;
    void show_find_bar(bool replace);
    void find_next();
    void replace_all();
    void move_or_copy(bool move);
    void validate();
    // Fills the check list from the grid as it is now; nothing in the grid changes.
    void refresh_check();
    void fix();
    std::optional<std::pair<int, int>> target_group_dialog(bool move);
    void open_map();

    EditingSession& session_;
    Settings& settings_;
    int system_ = 0, group_ = -1;
    grid::GridKind kind_ = grid::GridKind::Channel;
    bool dirty_ = false;         // the grid holds what its file does not
    bool header_dirty_ = false;  // the header fields hold what the store does not
    bool loading_ = false;
    bool committing_ = false;

    QLineEdit* name_ = nullptr;
    QLabel* name_count_ = nullptr;
    QCheckBox* lockout_ = nullptr;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QLineEdit* range_ = nullptr;
    QPushButton* default_button_ = nullptr;
    QPushButton* map_button_ = nullptr;
    QToolButton* gps_button_ = nullptr;
    QLabel* caption_ = nullptr;
    QStackedWidget* grids_ = nullptr;
    QWidget* empty_page_ = nullptr;
    GridView* conv_view_ = nullptr;
    GridView* trunk_view_ = nullptr;
    GridModel* conv_model_ = nullptr;
    GridModel* trunk_model_ = nullptr;
    QWidget* find_bar_ = nullptr;
    QLineEdit* find_text_ = nullptr;
    QLineEdit* replace_text_ = nullptr;
    QCheckBox* match_case_ = nullptr;
    QPushButton* replace_button_ = nullptr;
    QListWidget* check_list_ = nullptr;
    QWidget* check_panel_ = nullptr;
    QPushButton* fix_button_ = nullptr;
    bool check_pending_ = false;

    // How a grid's columns are fitted to its width: what each needs, which started from the
    // program's own width, and whether the user has dragged one (then the widths are theirs).
    struct ColumnFit {
        std::vector<grid::ColumnRoom> rooms;
        std::vector<bool> automatic;
        bool user_sized = false;
        bool fitting = false;
    };
    std::map<const GridView*, ColumnFit> column_fits_;
};

}  // namespace tarvex
