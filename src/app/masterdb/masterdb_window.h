#pragma once
// The master-database import window: the state selector filled from "HPDB.config" a moment
// after the window opens, the state's systems with tick boxes, and the import of the ticked
// systems into the editor's store. Any single HPD file can be opened and offered the same way.
//
// The database folder is the one the user chose last (setting "masterdb"/"folder"), else the
// master database folder of the data folders. After an import the window emits
// systemsImported(): the main window rebuilds its browser and marks its data changed.
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/masterdb/hpdb_index.h"
#include "core/masterdb/line_store.h"
#include "core/settings/folders.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QTreeWidget;

namespace tarvex {

class GroupFiles;
class Prompter;
class Progress;
class Settings;
class SystemStore;

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

  public slots:
    void readIndex();
    void chooseState(int selector_index);
    // Loads any HPD file into the systems list; false when it cannot be read.
    bool openFile(const QString& path);
    void importTicked();
    void pickFolder();
    void pickFile();

  signals:
    void systemsImported();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void fillSystems();
    bool loadFile(const std::filesystem::path& file);

    Settings& settings_;
    Prompter& prompter_;
    SystemStore& store_;
    GroupFiles& files_;
    DataFolders folders_;
    std::filesystem::path folder_;
    HpdbIndex index_;
    MasterLineStore lines_;
    int index_delay_ = 300;
    bool index_scheduled_ = false;
    std::unique_ptr<Progress> progress_;

    QLabel* folder_label_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* progress_label_ = nullptr;
    QComboBox* states_ = nullptr;
    QTreeWidget* files_list_ = nullptr;
    QTreeWidget* systems_ = nullptr;
};

}  // namespace tarvex
