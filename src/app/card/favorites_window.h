#pragma once
// The favorites-lists manager window: detects the card a moment after it opens (and on "Detect
// HP1"), shows the card's lists, and carries out upload, load, delete, apply, move, orphan scan,
// save, the backups and the service-search lists. Every decision is the core's
// (FavoritesManager, run_backup, upload_service_search); the window shows and forwards.
//
// The main window opens it from its scanner menu on the page the core's command table names for
// the command (card_page). After a list was loaded into the editor the window emits list_loaded()
// and closes: the main window then rebuilds its browser. clear_editor_data, when set, replaces the
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
    // `roots` defaults to the platform's drive roots (with the user's folders from settings).
    FavoritesWindow(Settings& settings, Prompter& prompter, SystemStore& store, GroupFiles& files,
                    DataFolders folders, QWidget* parent = nullptr, DriveRoots* roots = nullptr);
    ~FavoritesWindow() override;

    void show_page(Page page);
    // Milliseconds between showing the window and the automatic detection; negative: none.
    void set_detect_delay(int ms) { detect_delay_ = ms; }
    void set_copy_function(CopyFileFn copy) { copy_ = std::move(copy); }

    // Asked before a chosen list replaces the editor's data (the editor's own question over
    // unsaved changes); false leaves everything as it is.
    std::function<bool()> confirm_load;
    std::function<void()> clear_editor_data;
    // Called before an upload so that an open grid or record editor writes itself back first.
    // Before an upload: false stops it (the user went back to correct what it would send).
    std::function<bool()> before_upload;

    bool card_accepted() const { return manager_ != nullptr; }
    const Detection& detection() const { return detection_; }

  public slots:
    void detect();

  signals:
    void list_loaded();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    QWidget* build_upload_page();
    QWidget* build_read_page();
    QWidget* build_configuration_page();
    QWidget* build_backup_page();
    void refresh(int select_number);
    int selected_number() const;
    void selector_changed();
    void table_clicked();
    void set_card_commands_enabled(bool on);

    void upload();
    void load();
    void delete_list();
    void apply();
    void move(int delta);
    void orphans();
    void save_config();
    void backup(int kind);
    void service_search(int index);
    void open_card_folder();

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
