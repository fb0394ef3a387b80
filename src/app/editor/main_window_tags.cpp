// The main window's alpha-tag commands, the "Justify Alpha Tags:" window, the location lookup
// and "Show all on map".
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QUrl>

#include "app/common/latin1.h"
#include "app/editor/grid_editor.h"
#include "app/editor/justify_tags_window.h"
#include "app/editor/main_window.h"
#include "app/location/geocode_window.h"
#include "app/location/location_dialog.h"
#include "app/location/map_pages.h"
#include "core/base/prompter.h"
#include "core/editor/alpha_tags.h"
#include "core/editor/session.h"
#include "core/location/map_page.h"

namespace tarvex {

void MainWindow::open_in_browser(const std::string& url) {
    if (open_url)
        open_url(url);
    else
        QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool MainWindow::run_tag_command(CommandId id) {
    using grid::CaseCode;
    switch (id) {
        // The open grid: one undo step in the grid's history.
        case CommandId::AlignCenter:
        case CommandId::AlignLeft:
        case CommandId::AlignRight: {
            int code = id == CommandId::AlignLeft    ? grid::align_left
                       : id == CommandId::AlignRight ? grid::align_right
                                                     : grid::align_center;
            grid_editor_->transform_tags(TagTransform::alignment(code));
            update_command_states();
            return true;
        }
        case CommandId::GroupsUpperCase:
        case CommandId::GroupsLowerCase:
            grid_editor_->transform_tags(TagTransform::letter_case(
                id == CommandId::GroupsUpperCase ? CaseCode::Upper : CaseCode::Lower));
            update_command_states();
            return true;
        // Every group of the current system, through the group files.
        case CommandId::AlignAllCenter:
        case CommandId::AlignAllLeft:
        case CommandId::AlignAllRight:
        case CommandId::AllUpperCase:
        case CommandId::AllLowerCase: {
            TagTransform t =
                id == CommandId::AllUpperCase ? TagTransform::letter_case(CaseCode::Upper)
                : id == CommandId::AllLowerCase
                    ? TagTransform::letter_case(CaseCode::Lower)
                    : TagTransform::alignment(id == CommandId::AlignAllLeft ? grid::align_left
                                              : id == CommandId::AlignAllRight
                                                  ? grid::align_right
                                                  : grid::align_center);
            if (session_->selection().system <= 0) {
                prompter_->tell("Please click on a system first.");
                return true;
            }
            QApplication::setOverrideCursor(Qt::WaitCursor);
            int files = alpha_tags_all_groups(*session_, t);
            QApplication::restoreOverrideCursor();
            status_label_->setText(tr("Alpha tags changed in %1 group(s)").arg(files));
            return true;
        }
        case CommandId::JustifyAlphaTags:
            open_justify_tags();
            return true;
        case CommandId::GpsLocationSearch:
            open_location_search();
            return true;
        case CommandId::ShowAllOnMap:
            show_all_on_map();
            return true;
        case CommandId::GpsHome:
        case CommandId::GpsDefaults:
            open_gps_settings(id == CommandId::GpsHome);
            return true;
        default:
            return false;
    }
}

void MainWindow::open_justify_tags() {
    JustifyTagsWindow window(*session_, this);
    connect(&window, &JustifyTagsWindow::applied, this, [this] {
        if (session_->browser_dirty()) rebuild_browser();
        status_label_->setText(tr("Alpha tags changed"));
    });
    if (run_dialog)
        run_dialog(window);
    else
        window.exec();
}

void MainWindow::open_gps_settings(bool home) {
    // The home location in the item fields, ready for "Set As Home" or a lookup.
    const location::LocationSettings gps = location::read_location_settings(settings_);
    location::LocationValues shown{gps.home_lat, gps.home_long, gps.home_range,
                                   !gps.home_lat.empty() || !gps.home_long.empty()};
    LocationDialog dialog(*session_, settings_,
                          home ? LocationDialog::Target::Home : LocationDialog::Target::Defaults,
                          session_->selection().system, shown, this);
    dialog.open_url = [this](const std::string& url) { open_in_browser(url); };
    int result = run_dialog ? run_dialog(dialog) : dialog.exec();
    if (result == QDialog::Accepted)
        status_label_->setText(home ? tr("GPS home saved") : tr("GPS defaults saved"));
}

void MainWindow::open_location_search() {
    GeocodeWindow window(settings_, false, this);
    window.show_on_map = [this](double lat, double lon) {
        std::string url = write_point_map(folders_.data, lat, lon, *prompter_);
        if (!url.empty()) open_in_browser(url);
    };
    if (run_dialog)
        run_dialog(window);
    else
        window.exec();
}

void MainWindow::show_all_on_map() {
    write_back_editors();
    std::vector<location::MapPoint> points = location::build_site_location_list(session_->store());
    std::vector<location::MapPoint> groups = location::build_group_location_list(session_->store());
    points.insert(points.end(), groups.begin(), groups.end());
    std::string url = write_all_map(folders_.data, points, *prompter_);
    if (url.empty()) return;
    status_label_->setText(tr("%1 location(s) on the map").arg(points.size()));
    open_in_browser(url);
}

}  // namespace tarvex
