#include "app/editor/screenshot.h"

#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QTreeView>

#include "app/card/favorites_window.h"
#include "app/editor/browser_model.h"
#include "app/editor/main_window.h"
#include "app/masterdb/masterdb_window.h"
#include "app/radioref/frm_import_rr.h"
#include "app/remote/mini_vc_window.h"
#include "app/remote/virtual_control_window.h"
#include "app/settings/preferences_dialog.h"

namespace tarvex {

namespace {

struct Shot {
    const char* name;
    Menu menu;
    const char* caption;  // the command that opens it; nullptr: the main window
    int width;
    int height;
};

constexpr Shot k_shots[] = {
    {"main", Menu::File, nullptr, 1280, 760},
    {"card", Menu::Scanner, "Read from HP1", 900, 600},
    {"masterdb", Menu::ImportExport, "Import System(s) from Database", 1000, 640},
    {"radioref", Menu::ImportExport, "Import from RadioReference", 0, 0},
    {"virtual_control", Menu::Scanner, "Virtual Control", 0, 0},
    {"preferences", Menu::Setup, "Software Options", 640, 380},
};

// The first group below the node (depth first), as the browser shows it.
std::string first_group(const BrowserModel& model, const QModelIndex& parent) {
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex i = model.index(r, 0, parent);
        const std::string key = model.key_of(i);
        if (key.rfind("GRP-", 0) == 0) return key;
        std::string below = first_group(model, i);
        if (!below.empty()) return below;
    }
    return {};
}

QWidget* opened_by(MainWindow& main, const QString& name) {
    if (name == QLatin1String("card")) return main.favorites_window();
    if (name == QLatin1String("masterdb")) return main.masterdb_window();
    if (name == QLatin1String("radioref")) return main.rr_import_window();
    if (name == QLatin1String("virtual_control")) return main.virtual_control_window();
    if (name == QLatin1String("preferences")) return main.preferences_dialog();
    return &main;
}

}  // namespace

QStringList screenshot_windows() {
    QStringList names;
    for (const Shot& s : k_shots) names << QLatin1String(s.name);
    return names;
}

QWidget* open_for_screenshot(MainWindow& main, const QString& name) {
    for (const Shot& s : k_shots) {
        if (name != QLatin1String(s.name)) continue;
        if (!s.caption) {
            if (BrowserModel* model = main.browser_model()) {
                const std::string group = first_group(*model, QModelIndex());
                if (!group.empty()) main.click_node(group);
            }
        } else if (!main.dispatch(s.menu, QLatin1String(s.caption))) {
            return nullptr;
        }
        QWidget* w = opened_by(main, name);
        if (w && s.width > 0) w->resize(s.width, s.height);
        return w;
    }
    return nullptr;
}

QString save_screenshot(QWidget* widget, const QString& file) {
    if (!widget) return QStringLiteral("There is no such window.");
    QApplication::processEvents();
    const QPixmap shot = widget->grab();
    if (shot.isNull()) return QStringLiteral("The window could not be drawn.");
    if (!shot.save(file, "PNG"))
        return QStringLiteral("Cannot write %1.").arg(QFileInfo(file).absoluteFilePath());
    return {};
}

}  // namespace tarvex
