#pragma once
// "CSV Mapper: Import And Modify CSV Files": loads loosely formatted text into a table, throws
// away the lines that are no channel lines, cleans cells, says which field each column holds,
// and sends the result on: a CSV file, the clipboard in the shape the channel grid pastes, or
// straight into the open channel grid ("Send to Grid"). Every rule is a core function
// (core/exchange); the window picks the selection and the tick boxes and shows the outcome.
#include <QMainWindow>
#include <functional>
#include <optional>

#include "core/exchange/csv_import.h"
#include "core/exchange/send_to_grid.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QRadioButton;
class QTableView;

namespace tarvex {

class CsvTableModel;
class Prompter;
class Settings;

class CsvMapperWindow : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* k_title = "CSV Mapper: Import And Modify CSV Files";
    static constexpr const char* k_open_filter =
        "CSV Files|*.csv|Text Files|*.txt|MEM Files|*.mem|M96 Files|*.m96|ICOM PCR files|*.mch|"
        "All Files|*.*";
    static constexpr const char* k_save_filter = "CSV Files|*.csv";

    CsvMapperWindow(Settings& settings, Prompter& prompter, QWidget* parent = nullptr);
    ~CsvMapperWindow() override;

    // Runs a command by its caption (menus, buttons and the context menu all come here).
    // False for a caption the window does not know.
    bool command(const QString& caption);

    // Loads a file or text as "Open" and the clipboard import do, with the ticked filters.
    bool load_file(const QString& path);
    void load_text(const QString& text);

    CsvTableModel* model() const { return model_; }
    QTableView* table() const { return view_; }
    QListWidget* not_sent() const { return not_sent_; }
    QLabel* status_label() const { return status_; }
    QAction* action(const QString& caption) const;
    csv::Range selection() const;
    void select(const csv::Range& range);
    // Sets a column's assignment as choosing it in the drop-down does.
    void assign(int column, int assignment);

    // File dialogs (title, filter in the "Name|*.ext|..." form); tests replace them.
    std::function<std::optional<QString>(const QString& title, const QString& filter)> choose_open;
    std::function<std::optional<QString>(const QString& title, const QString& filter)> choose_save;
    // Where "Send to Grid" sends the converted rows; false when the grid refused them. Unset,
    // the command is disabled.
    std::function<bool(const csv::GridRows& rows)> send_to_grid;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_menus();
    QWidget* build_filters();
    QWidget* build_cell_options();
    QAction* make_action(const QString& caption, QMenu* menu);
    csv::LineFilters filters() const;
    void loaded(csv::LoadResult result, const QString& what);
    void update_status();
    void update_columns();
    void save_as();
    void copy_cells(bool cut);
    void paste_cells();
    void apply_cell_operation();
    void send();
    void save_place();
    void restore_place();

    Settings& settings_;
    Prompter& prompter_;
    CsvTableModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* status_ = nullptr;
    QListWidget* not_sent_ = nullptr;
    QMenu* context_menu_ = nullptr;
    std::vector<QAction*> actions_;
    bool place_saved_ = false;

    QCheckBox* must_frequency_ = nullptr;
    QCheckBox* must_comma_ = nullptr;
    QCheckBox* must_digits_ = nullptr;
    QComboBox* digits_ = nullptr;
    QCheckBox* must_dash_ = nullptr;
    QCheckBox* must_contain_ = nullptr;
    QLineEdit* contain_text_ = nullptr;
    QCheckBox* must_divisible_ = nullptr;

    QRadioButton* op_upper_ = nullptr;
    QRadioButton* op_lower_ = nullptr;
    QRadioButton* op_replace_ = nullptr;
    QRadioButton* op_remove_ = nullptr;
    QLineEdit* replace_text_ = nullptr;
    QLineEdit* replace_by_ = nullptr;
    QLineEdit* remove_text_ = nullptr;
    QRadioButton* selected_rows_ = nullptr;
    QRadioButton* entire_rows_ = nullptr;
    QRadioButton* all_columns_ = nullptr;
    QRadioButton* single_column_ = nullptr;
    QComboBox* column_choice_ = nullptr;
    QCheckBox* auto_select_ = nullptr;
};

}  // namespace tarvex
