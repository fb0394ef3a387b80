// The desktop program: `tarvex [FILE.hpd ...] [--quit-after-ms N]`.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "app/editor/main_window.h"
#include "app/platform/qt_folder_provider.h"
#include "app/platform/qt_settings_backend.h"
#include "core/base/termination.h"
#include "core/editor/session.h"
#include "core/settings/settings.h"

#ifndef TARVEX_VERSION
#define TARVEX_VERSION "0.1.0"
#endif

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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationName(QStringLiteral("Norvane"));
    QApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));

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
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("HPD files to open."),
                                 QStringLiteral("[FILE.hpd...]"));
    parser.process(app);

    tarvex::QtSettingsBackend main_store(tarvex::QtSettingsBackend::Store::main);
    tarvex::QtSettingsBackend import_store(tarvex::QtSettingsBackend::Store::import);
    tarvex::Settings settings(main_store, import_store);
    tarvex::QtFolderProvider folders;

    // Smoke tests end the run on their own: once the time is up, any open message box is
    // dismissed (it may be the start-up warning, shown before the window exists), then the
    // window closes without asking.
    if (parser.isSet(quit_after)) {
        bool ok = false;
        int ms = parser.value(quit_after).toInt(&ok);
        if (ok && ms >= 0) {
            auto* ender = new QTimer(&app);
            ender->setInterval(100);
            QObject::connect(ender, &QTimer::timeout, &app, [&shown] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    modal->close();
                    return;
                }
                if (!shown) return;
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
    window.open_files(parser.positionalArguments());
    window.check_updates_at_startup();
    int rc = app.exec();
    shown = nullptr;
    return rc;
}
