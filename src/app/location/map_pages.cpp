#include "app/location/map_pages.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

#include "core/base/prompter.h"

namespace tarvex {

namespace {

std::string address_of(const std::filesystem::path& page) {
    return QUrl::fromLocalFile(QString::fromStdString(page.string())).toString().toStdString();
}

std::string written(const std::filesystem::path& folder, const std::string& name,
                    const std::string& html, Prompter& prompter) {
    std::string error;
    std::filesystem::path page = location::write_page(folder, name, html, &error);
    if (page.empty()) {
        prompter.tell(error);
        return {};
    }
    return address_of(page);
}

}  // namespace

location::MapLibrary map_library_for(const std::filesystem::path& folder) {
    const std::filesystem::path app = QCoreApplication::applicationDirPath().toStdString();
    // Beside the program when installed or built; one folder up for the build tree's tests and
    // tools.
    for (const auto& from :
         {app / "leaflet", app / ".." / "leaflet", app / ".." / "share" / "tarvex" / "leaflet"})
        if (location::install_map_library(from, folder)) return location::MapLibrary{};
    return location::public_map_library();
}

std::string write_point_map(const std::filesystem::path& folder, double latitude, double longitude,
                            Prompter& prompter) {
    return written(folder, "map.html",
                   location::map_page_html(latitude, longitude, map_library_for(folder)), prompter);
}

std::string write_all_map(const std::filesystem::path& folder,
                          const std::vector<location::MapPoint>& points, Prompter& prompter) {
    if (points.empty()) {
        prompter.tell(k_nothing_on_map);
        return {};
    }
    return written(folder, "map_all.html",
                   location::all_locations_page_html(points, map_library_for(folder)), prompter);
}

}  // namespace tarvex
