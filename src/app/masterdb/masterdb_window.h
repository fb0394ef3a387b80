#pragma once
// The master-database import window: the state selector filled from "HPDB.config" a moment
// after the window opens, the state's systems with tick boxes, and the import of the ticked
// systems into the editor's store. Any single HPD file can be opened and offered the same way.
//
// The database folder is the one the user chose last (setting "masterdb"/"folder"), else the
// master database folder of the data folders. After an import the window emits
// systemsImported(): the main window rebuilds its browser and marks its data changed.
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
    void setIndexDelay(int ms) { index_delay_ = ms; }
    // The dialogs; tests replace them. An empty answer is a cancel.
    std::function<QString()> chooseFolder;
    std::function<QString()> chooseFile;

    std::filesystem::path folder() const { return folder_; }
    const MasterLineStore& lineStore() const { return lines_; }
    const SearchResultsModel& searchResults() const { return *results_model_; }
    bool searching() const { return search_ != nullptr; }
    // Milliseconds of searching between two looks at the window's events.
    void setSearchSlice(int ms) { slice_ms_ = ms; }

  public slots:
    void readIndex();
    void chooseState(int selector_index);
    // Loads any HPD file into the systems list; false when it cannot be read.
    bool openFile(const QString& path);
    void importTicked();
    void pickFolder();
    void pickFile();
    // Searches every state for the search box's text; the user is told when the folder is no
    // master database.
    void startSearch();
    void cancelSearch();
    // One slice of the running search (the search's timer calls it).
    void searchSlice();
    // Shows the state of a result with its system selected.
    void showResult(const QModelIndex& index);
    // Hides the systems the filter box does not match.
    void applyFilter();
    // "Tick all" / "Untick all": the systems the filter shows.
    void tickShown(bool on);
    // Space in the systems list: the selected systems ticked, or unticked when the first is.
    void toggleSelected();

  public:
    // What the last import brought in, as the status line says it.
    QString lastImportReport() const { return last_report_; }

  signals:
    void systemsImported();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void fillSystems();
    bool loadFile(const std::filesystem::path& file);
    void buildSearch(QWidget* parent, QVBoxLayout* layout);
    void beginSearch(bool asked);
    void finishSearch(const QString& status);
    void fitResultColumns();
    // Imports the systems of the ticked results state by state, joining those of the state
    // shown to the systems ticked in its list; true when anything was read in.
    bool importResults();
    bool importShownState();

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
