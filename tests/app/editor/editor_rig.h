#pragma once
// The main window on throw-away settings and data folders, with scripted answers and file
// choices, for the window tests of the editor.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "app/editor/browser_model.h"
#include "app/editor/main_window.h"
#include "app/editor/main_window_options.h"
#include "app/platform/qt_folder_provider.h"
#include "app/platform/qt_settings_backend.h"
#include "core/base/prompter.h"
#include "core/settings/settings.h"

namespace tarvex::test {

inline QString sample_hpd() {
    return QStringLiteral(TARVEX_RESOURCES_DIR) + QStringLiteral("/sample/sample.hpd");
}

struct EditorRig {
    QTemporaryDir home;
    std::unique_ptr<QtSettingsBackend> main_store, import_store;
    std::unique_ptr<Settings> settings;
    RecordingPrompter prompter{Answer::No};
    ScriptedFileChooser chooser;
    std::unique_ptr<MainWindow> window;
    long long run_number = 4242;

    EditorRig() {
        qputenv("TARVEX_SETTINGS_DIR", QFile::encodeName(home.filePath("settings")));
        qputenv("TARVEX_DATA_HOME", QFile::encodeName(home.filePath("data")));
        main_store = std::make_unique<QtSettingsBackend>(QtSettingsBackend::Store::main);
        import_store = std::make_unique<QtSettingsBackend>(QtSettingsBackend::Store::import);
        settings = std::make_unique<Settings>(*main_store, *import_store);
    }

    // A window as the program starts it (settings read, firmware warning, empty browser).
    MainWindow& start() {
        MainWindowOptions options;
        options.prompter = &prompter;
        options.chooser = &chooser;
        options.run_number = run_number++;
        window = std::make_unique<MainWindow>(*settings, QtFolderProvider().folders(), options);
        window->resize(1200, 800);
        window->show();
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowExposed(window.get());
        return *window;
    }

    // "Open HPD File" with the file chosen in the dialog.
    void open(const QString& path) {
        chooser.push(QFile::encodeName(path).toStdString());
        window->dispatch(Menu::File, QStringLiteral("Open HPD File"));
    }

    // A mouse click on the browser node of a key, as the user clicks it.
    bool click(const std::string& key) {
        QTreeView* tree = window->browser();
        QModelIndex i = window->browser_model()->index_of_key(key);
        if (!i.isValid()) return false;
        tree->scrollTo(i);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(i).center());
        return window->session().selection().key == key;
    }
};

}  // namespace tarvex::test
