#pragma once
// The map pages the program writes and opens in the default browser: one point ("Show Map"),
// and every site and group that has a location ("Show all on map"). They use Leaflet, an open
// map library that needs no account or key, with OpenTopoMap's terrain tiles. The library is
// copied beside the page so the page itself loads without a network; only the tiles need one.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {
class SystemStore;
}

namespace tarvex::location {

// Where the page finds its library: addresses relative to the page, or full URLs.
struct MapLibrary {
    std::string script = "leaflet/leaflet.js";
    std::string stylesheet = "leaflet/leaflet.css";
};
// The public copy of the same library, for a page whose folder holds no copy.
MapLibrary public_map_library();

struct MapPoint {
    std::string name;  // shown as the marker's title and pop-up; already cleaned for the page
    double latitude = 0, longitude = 0;
    double range_miles = 0;  // 0: no circle
};

// The one-point page: a terrain map of zoom 12 centred on the point with a marker titled
// 'Hello World!', built when the window has loaded, in the element "map-canvas".
std::string map_page_html(double latitude, double longitude, const MapLibrary& library);
// The page of many points: a marker and a range circle for each, the view fitted to them all.
std::string all_locations_page_html(const std::vector<MapPoint>& points, const MapLibrary& library);

// Copies leaflet.js, leaflet.css and the marker images from `library_folder` into
// `folder`/leaflet when they are missing or differ. False when the library is not there, in
// which case the page should use public_map_library().
bool install_map_library(const std::filesystem::path& library_folder,
                         const std::filesystem::path& folder);

// Writes "map.html" (or `name`) in `folder` through a temporary file; the path written, or ""
// with `error` set.
std::filesystem::path write_map_page(const std::filesystem::path& folder, double latitude,
                                     double longitude, const MapLibrary& library,
                                     std::string* error = nullptr);
std::filesystem::path write_page(const std::filesystem::path& folder, std::string_view name,
                                 std::string_view html, std::string* error = nullptr);

// Every group whose GIN line carries a latitude and a longitude (the first 5000): its name with
// ";" as "/" and "{", "}", "'" as blanks, and its position. Groups at 0,0, the records' "no
// position", are left out.
std::vector<MapPoint> build_group_location_list(const SystemStore& store);
// The same for sites (SIT- nodes), with their ranges.
std::vector<MapPoint> build_site_location_list(const SystemStore& store);

}  // namespace tarvex::location
