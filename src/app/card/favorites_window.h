#pragma once
// The favorites-lists manager window: detects the card a moment after it opens (and on "Detect
// HP1"), shows the card's lists, and carries out upload, load, delete, apply, move, orphan scan,
// save, the backups and the service-search lists. Every decision is the core's
// (FavoritesManager, run_backup, upload_service_search); the window shows and forwards.
//
// The main window opens it from its scanner menu; the menu caption selects the page shown
// (page_for_command). After a list was loaded into the editor the window emits listLoaded() and
// closes: the main window then rebuilds its browser. clearEditorData, when set, replaces the
// core's clearing of the store before a list is loaded (the editor resets its own state too).
#include <QWidget>
#include <functional>
#include <memory>

#include "core/card/card_copy.h"
#include "core/card/detect.h"
#include "core/card/favorites_manager.h"
#include "core/settings/folders.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;

namespace tarvex {

class DriveRoots;
class GroupFiles;
class Prompter;
class Progress;
class Settings;
class SystemStore;

class FavoritesWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Page { Upload, Read, Configuration, Backup };
    // "Upload To HP1 Folder", "Write To HP1", "Write" -> Upload; "Read from HP1", "Read",
    // "Read from Scanner" -> Read; "Edit Favorites Configuration" -> Configuration;
    // "Backup HP1 Favorites", "Backup HP1 Data" -> Backup.
    static Page page_for_command(const QString& caption);

    // `roots` defaults to the platform's drive roots (with the user's folders from settings).
    FavoritesWindow(Settings& settings, Prompter& prompter, SystemStore& store, GroupFiles& files,
                    DataFolders folders, QWidget* parent = nullptr, DriveRoots* roots = nullptr);
    ~FavoritesWindow() override;

    void showPage(Page page);
    // Milliseconds between showing the window and the automatic detection; negative: none.
    void setDetectDelay(int ms) { detect_delay_ = ms; }
    void setCopyFunction(CopyFileFn copy) { copy_ = std::move(copy); }

    // Asked before a chosen list replaces the editor's data (the editor's own question over
    // unsaved changes); false leaves everything as it is.
    std::function<bool()> confirmLoad;
    std::function<void()> clearEditorData;
    // Called before an upload so that an open grid or record editor writes itself back first.
    // Before an upload: false stops it (the user went back to correct what it would send).
    std::function<bool()> beforeUpload;

    bool cardAccepted() const { return manager_ != nullptr; }
    const Detection& detection() const { return detection_; }

  public slots:
    void detect();

  signals:
    void listLoaded();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    QWidget* buildUploadPage();
    QWidget* buildReadPage();
    QWidget* buildConfigurationPage();
    QWidget* buildBackupPage();
    void refresh(int select_number);
    int selectedNumber() const;
    void selectorChanged();
    void tableClicked();
    void setCardCommandsEnabled(bool on);

    void upload();
    void load();
    void deleteList();
    void apply();
    void move(int delta);
    void orphans();
    void saveConfig();
    void backup(int kind);
    void serviceSearch(int index);
    void openCardFolder();

    Settings& settings_;
    Prompter& prompter_;
    SystemStore& store_;
    GroupFiles& files_;
    DataFolders folders_;
    std::unique_ptr<DriveRoots> own_roots_;
    DriveRoots* roots_;
    CopyFileFn copy_ = default_copy();
    int detect_delay_ = 400;
    bool detection_scheduled_ = false;
    Detection detection_;
    std::unique_ptr<FavoritesManager> manager_;
    std::unique_ptr<Progress> progress_;

    QLabel* status_ = nullptr;
    QLabel* progress_label_ = nullptr;
    QLabel* folder_picture_ = nullptr;
    QTreeWidget* table_ = nullptr;
    QComboBox* selector_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QWidget* card_commands_ = nullptr;
    QLineEdit* name_ = nullptr;
    QCheckBox* location_ = nullptr;
    QCheckBox* monitor_ = nullptr;
    QRadioButton* new_list_ = nullptr;
    QRadioButton* existing_list_ = nullptr;
};

}  // namespace tarvex
