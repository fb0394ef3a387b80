#pragma once
// The unit-ID editor: the unit IDs of one trunked system in the grid `uidgrid`, opened from the
// system's "Unit Id's" node. It is the grid editor's machinery (model, view, cell editors and the
// core's row and block operations) on the unit-ID layout. Every committed edit or command is
// written to the store at once as one step of the session's undo history; undo and redo reload
// the rows from the store. Rows go to and from a list file on request.
#include <QWidget>
#include <functional>
#include <string>

#include "core/editor/commands.h"
#include "core/editor/grid_ops.h"

class QLabel;

namespace tarvex {

class EditingSession;
class GridModel;
class GridView;
class Settings;

class UnitIdEditor : public QWidget {
    Q_OBJECT
  public:
    UnitIdEditor(EditingSession& session, Settings& settings, QWidget* parent = nullptr);
    ~UnitIdEditor() override;

    // Leaves the system shown so far (writing it back) and shows this one's unit IDs.
    void show_system(int system);
    bool has_system() const { return system_ > 0; }
    int system() const { return system_; }

    // Finishes an open cell editor; rows a failed write left behind go to the store again.
    void write_back();
    // write_back, then shows nothing.
    void leave();
    // The system is gone or was replaced: show nothing, write nothing.
    void forget();
    // The store changed underneath (undo, redo, another command): show it again.
    void reload();

    // "Save Unit ID file" / "Open Unit ID file" with the chosen name. Opening replaces the rows
    // as one undo step; a file that is no list leaves them as they are.
    bool save_list(const std::string& path);
    bool open_list(const std::string& path);

    // Runs a grid command on the unit-ID grid; false when `id` is not a grid command.
    bool run(CommandId id);

    GridView* view() const { return view_; }
    GridModel* model() const { return model_; }
    void save_column_widths();
    grid::CellRange selected_range() const;
    void select_range(const grid::CellRange& range);

  signals:
    void status(const QString& text);
    void diagnostic(const QString& line);
    void context_menu(const QPoint& global_pos);

  private:
    // One session step named `label`: runs `edit` on the rows and, when it changed them,
    // writes them to the store.
    void commit(const QString& label, const std::function<bool()>& edit);
    bool write_rows();
    void cell_edited(int grid_row, int col, const std::string& value);
    bool key_pressed(int grid_row, int col, const std::string& key);
    grid::GridChange change(const QString& label,
                            const std::function<grid::GridChange(TextGrid&)>& op);

    EditingSession& session_;
    Settings& settings_;
    int system_ = 0;
    bool dirty_ = false;
    bool committing_ = false;
    QLabel* caption_ = nullptr;
    GridView* view_ = nullptr;
    GridModel* model_ = nullptr;
};

}  // namespace tarvex
