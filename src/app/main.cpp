// The desktop program: `tarvex [FILE.hpd ...] [--quit-after-ms N]`.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "app/editor/main_window.h"
#include "app/editor/screenshot.h"
#include "app/platform/qt_folder_provider.h"
#include "app/platform/qt_settings_backend.h"
#include "core/base/termination.h"
#include "core/editor/session.h"
#include "core/settings/settings.h"

#ifndef TARVEX_VERSION
#define TARVEX_VERSION "0.1.0"
#endif

namespace {

void describe_program() {
    QCoreApplication::setApplicationName(QStringLiteral("Tarvex"));
    QCoreApplication::setOrganizationName(QStringLiteral("Norvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));
}

// --version and --help answer without a display: a QApplication would need one first.
bool asks_only_about_program(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--version" || arg == "-v" || arg == "--help" || arg == "-h" ||
            arg == "--help-all" || arg == "-?")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    // SIGTERM, SIGINT and SIGHUP end the run through the event loop: the window removes its run
    // folder as a clean exit does, or keeps it for recovery when there are unsaved changes.
    tarvex::MainWindow* shown = nullptr;
    tarvex::watch_termination([&shown](int signal) {
        if (!qApp) tarvex::stop_now(signal);
        QMetaObject::invokeMethod(
            qApp,
            [&shown, signal] {
                if (shown) shown->terminate();
                QApplication::exit(128 + signal);
            },
            Qt::QueuedConnection);
    });
    std::unique_ptr<QCoreApplication> owner;
    if (asks_only_about_program(argc, argv))
        owner = std::make_unique<QCoreApplication>(argc, argv);
    else
        owner = std::make_unique<QApplication>(argc, argv);
    QCoreApplication& app = *owner;
    describe_program();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Editor and programmer for the Uniden HomePatrol scanners."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption quit_after(QStringLiteral("quit-after-ms"),
                                  QStringLiteral("Close the window after N milliseconds (smoke "
                                                 "tests)."),
                                  QStringLiteral("N"));
    parser.addOption(quit_after);
    // Pictures for the user guide (scripts/screenshots.sh): not for users, so not in --help.
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Save a picture of WINDOW as FILE.png and quit."),
                                  QStringLiteral("WINDOW"));
    screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(screenshot);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("HPD files to open."),
                                 QStringLiteral("[FILE.hpd...]"));
    parser.process(app);

    tarvex::QtSettingsBackend main_store(tarvex::QtSettingsBackend::Store::main);
    tarvex::QtSettingsBackend import_store(tarvex::QtSettingsBackend::Store::import);
    tarvex::Settings settings(main_store, import_store);
    tarvex::QtFolderProvider folders;

    QString screenshot_file;
    if (parser.isSet(screenshot)) {
        QStringList rest = parser.positionalArguments();
        const QString window_name = parser.value(screenshot);
        if (rest.isEmpty() || !rest.front().endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ||
            !tarvex::screenshot_windows().contains(window_name)) {
            std::fprintf(stderr,
                         "tarvex: --screenshot WINDOW FILE.png [FILE.hpd]: WINDOW is one of %s\n",
                         qPrintable(tarvex::screenshot_windows().join(QStringLiteral(", "))));
            return 2;
        }
        screenshot_file = rest.front();
    }

    // Smoke tests end the run on their own: once the time is up, any open message box is
    // dismissed (it may be the start-up warning, shown before the window exists), then the
    // window closes without asking. A screenshot run dismisses such boxes from the start.
    QTimer* ender = nullptr;
    if (parser.isSet(quit_after) || !screenshot_file.isEmpty()) {
        bool ok = !screenshot_file.isEmpty();
        int ms = ok ? 0 : parser.value(quit_after).toInt(&ok);
        if (ok && ms >= 0) {
            ender = new QTimer(&app);
            ender->setInterval(100);
            const bool closes = screenshot_file.isEmpty();
            QObject::connect(ender, &QTimer::timeout, &app, [&shown, closes] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    modal->close();
                    return;
                }
                if (!shown || !closes) return;
                shown->session().clear_changed();
                shown->close();
                QApplication::quit();
            });
            QTimer::singleShot(ms, ender, qOverload<>(&QTimer::start));
        }
    }

    tarvex::MainWindow window(settings, folders.folders());
    shown = &window;
    window.show_in_place();
    QStringList files = parser.positionalArguments();
    if (!screenshot_file.isEmpty()) {
        files.removeFirst();
        // Once the file is in: the window opens, lays itself out and is drawn; then the run ends.
        QTimer::singleShot(
            1500, &app, [&window, &app, &screenshot, &parser, ender, screenshot_file] {
                // The window pictured may be a dialog: from here on nothing is dismissed.
                ender->stop();
                QWidget* target = tarvex::open_for_screenshot(window, parser.value(screenshot));
                QTimer::singleShot(1500, &app, [&window, target, screenshot_file] {
                    const QString error = tarvex::save_screenshot(target, screenshot_file);
                    if (!error.isEmpty()) std::fprintf(stderr, "tarvex: %s\n", qPrintable(error));
                    window.session().clear_changed();
                    QApplication::exit(error.isEmpty() ? 0 : 1);
                });
            });
    }
    window.open_files(files);
    window.check_updates_at_startup();
    int rc = QCoreApplication::exec();
    shown = nullptr;
    return rc;
}
