#pragma once
// The master-database import window: the state selector filled from "HPDB.config" a moment
// after the window opens, the state's systems with tick boxes, and the import of the ticked
// systems into the editor's store. Any single HPD file can be opened and offered the same way.
//
// The database folder is the one the user chose last (setting "masterdb"/"folder"), else the
// master database folder of the data folders. After an import the window emits
// systems_imported(): the main window rebuilds its browser and marks its data changed.
//
// Above the systems list a search box searches every state file at once; its results fill
// a list while the search runs in short slices between the window's events. Ticked results
// are imported with the ticked systems, each system once.
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/masterdb/hpdb_index.h"
#include "core/masterdb/line_store.h"
#include "core/masterdb/master_search.h"
#include "core/settings/folders.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeView;
class QTreeWidget;
class QVBoxLayout;

namespace tarvex {

class GroupFiles;
class Prompter;
class Progress;
class Settings;
class SystemStore;
class SearchResultsModel;

inline constexpr const char* k_masterdb_section = "masterdb";
inline constexpr const char* k_masterdb_folder_key = "folder";

class MasterDbWindow : public QWidget {
    Q_OBJECT
  public:
    MasterDbWindow(Settings& settings, Prompter& prompter, SystemStore& store, GroupFiles& files,
                   DataFolders folders, QWidget* parent = nullptr);
    ~MasterDbWindow() override;

    // Milliseconds between showing the window and reading the index; negative: not automatic.
    void set_index_delay(int ms) { index_delay_ = ms; }
    // The dialogs; tests replace them. An empty answer is a cancel.
    std::function<QString()> choose_folder;
    std::function<QString()> choose_file;

    std::filesystem::path folder() const { return folder_; }
    // The folder setting changed elsewhere (Setup -> "Software Options"): the window reads the
    // new folder's states at once and says so on its status line. Nothing happens when the
    // folder it shows is still the one the setting names.
    void take_folder_setting();
    const MasterLineStore& line_store() const { return lines_; }
    const SearchResultsModel& search_results() const { return *results_model_; }
    bool searching() const { return search_ != nullptr; }
    // Milliseconds of searching between two looks at the window's events.
    void set_search_slice(int ms) { slice_ms_ = ms; }

  public slots:
    void read_index();
    void choose_state(int selector_index);
    // Loads any HPD file into the systems list; false when it cannot be read.
    bool open_file(const QString& path);
    void import_ticked();
    void pick_folder();
    void pick_file();
    // Searches every state for the search box's text; the user is told when the folder is no
    // master database.
    void start_search();
    void cancel_search();
    // One slice of the running search (the search's timer calls it).
    void search_slice();
    // Shows the state of a result with its system selected.
    void show_result(const QModelIndex& index);
    // Hides the systems the filter box does not match.
    void apply_filter();
    // "Tick all" / "Untick all": the systems the filter shows.
    void tick_shown(bool on);
    // Space in the systems list: the selected systems ticked, or unticked when the first is.
    void toggle_selected();

  public:
    // What the last import brought in, as the status line says it.
    QString last_import_report() const { return last_report_; }

  signals:
    void systems_imported();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The folder the setting names, else the master database folder of the data folders.
    std::filesystem::path folder_setting() const;
    void build();
    void fill_systems();
    bool load_file(const std::filesystem::path& file);
    void build_search(QWidget* parent, QVBoxLayout* layout);
    void begin_search(bool asked);
    void finish_search(const QString& status);
    void fit_result_columns();
    // Imports the systems of the ticked results state by state, joining those of the state
    // shown to the systems ticked in its list; true when anything was read in.
    bool import_results();
    bool import_shown_state();

    Settings& settings_;
    Prompter& prompter_;
    SystemStore& store_;
    GroupFiles& files_;
    DataFolders folders_;
    std::filesystem::path folder_;
    HpdbIndex index_;
    MasterLineStore lines_;
    int index_delay_ = 300;
    int current_state_ = -1;  // the state whose systems the list shows, -1 for a file
    int slice_ms_ = 25;
    std::unique_ptr<MasterSearch> search_;
    bool index_scheduled_ = false;
    std::unique_ptr<Progress> progress_;

    QLabel* folder_label_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* progress_label_ = nullptr;
    QComboBox* states_ = nullptr;
    QTreeWidget* files_list_ = nullptr;
    QTreeWidget* systems_ = nullptr;
    QLineEdit* search_box_ = nullptr;
    QLineEdit* filter_ = nullptr;
    ImportCounts counts_;
    QString last_report_;
    QPushButton* cancel_search_ = nullptr;
    QLabel* search_status_ = nullptr;
    QTreeView* results_ = nullptr;
    SearchResultsModel* results_model_ = nullptr;
    QTimer* slice_timer_ = nullptr;
    QTimer* typing_timer_ = nullptr;
};

}  // namespace tarvex
