#include "core/location/map_page.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/base/safe_file.h"
#include "core/base/text.h"
#include "core/location/coordinates.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"

namespace tarvex::location {

namespace {

inline constexpr size_t k_max_map_rows = 5000;
inline constexpr double k_meters_per_mile = 1609.344;

std::string number(double v) {
    return format_degrees(v);
}

// A JavaScript string literal: names come from user files, so nothing in them may end the
// string or the script element.
std::string js_string(std::string_view text) {
    std::string out = "'";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (ch == '\\' || ch == '\'')
            out += std::string("\\") + ch;
        else if (ch == '<')
            out += "\\x3c";
        else if (c < 0x20)
            out += ' ';
        else if (c >= 0x80) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);  // single-byte text: Latin-1
            out += buf;
        } else
            out += ch;
    }
    return out + "'";
}

std::string page_head(const MapLibrary& lib) {
    return "<!DOCTYPE html>\n<html>\n<head>\n"
           "<meta name=\"viewport\" content=\"initial-scale=1.0, user-scalable=no\">\n"
           "<meta charset=\"utf-8\">\n<title>Circles</title>\n"
           "<style>\nhtml, body, #map-canvas { height: 100%; margin: 0; padding: 0; }\n</style>\n"
           "<link rel=\"stylesheet\" href=\"" +
           lib.stylesheet + "\">\n<script src=\"" + lib.script + "\"></script>\n";
}

constexpr std::string_view k_terrain_tiles =
    "  L.tileLayer('https://{s}.tile.opentopomap.org/{z}/{x}/{y}.png', {\n"
    "    maxZoom: 17,\n"
    "    attribution: 'Map data &copy; OpenStreetMap contributors, SRTM | Map style &copy; "
    "OpenTopoMap (CC-BY-SA)'\n"
    "  }).addTo(map);\n";

constexpr std::string_view k_page_tail =
    "window.addEventListener('load', initialize);\n</script>\n</head>\n<body>\n"
    "<div id=\"map-canvas\"></div>\n</body>\n</html>\n";

bool is_zero(double v) {
    return std::fabs(v) < 1e-9;
}

std::string clean_name(std::string_view name) {
    std::string out = replace_all(name, ";", "/");
    for (char& c : out)
        if (c == '{' || c == '}' || c == '\'') c = ' ';
    return out;
}

void add_point(std::vector<MapPoint>& out, std::string_view name, std::string_view lat,
               std::string_view lon, std::string_view range) {
    if (trim(lat).empty() || trim(lon).empty() || out.size() >= k_max_map_rows) return;
    MapPoint p;
    p.name = clean_name(name);
    p.latitude = lenient_number(replace_all(trim(lat), ",", "."));
    p.longitude = lenient_number(replace_all(trim(lon), ",", "."));
    p.range_miles = std::max(0.0, lenient_number(replace_all(trim(range), ",", ".")));
    if (is_zero(p.latitude) && is_zero(p.longitude)) return;
    if (std::fabs(p.latitude) > 90 || std::fabs(p.longitude) > 180) return;
    out.push_back(std::move(p));
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (!std::filesystem::exists(b, ec)) return false;
    if (std::filesystem::file_size(a, ec) != std::filesystem::file_size(b, ec)) return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::ostringstream sa, sb;
    sa << fa.rdbuf();
    sb << fb.rdbuf();
    return sa.str() == sb.str();
}

}  // namespace

MapLibrary public_map_library() {
    return {"https://unpkg.com/leaflet@1.9.4/dist/leaflet.js",
            "https://unpkg.com/leaflet@1.9.4/dist/leaflet.css"};
}

std::string map_page_html(double latitude, double longitude, const MapLibrary& library) {
    std::string html = page_head(library);
    html += "<script>\nfunction initialize() {\n";
    html += "  var result = L.latLng(" + number(latitude) + ", " + number(longitude) + ");\n";
    html += "  var map = L.map('map-canvas').setView(result, 12);\n";
    html += k_terrain_tiles;
    html += "  L.marker(result, {title: 'Hello World!'}).addTo(map);\n}\n";
    html += k_page_tail;
    return html;
}

std::string all_locations_page_html(const std::vector<MapPoint>& points,
                                    const MapLibrary& library) {
    std::string html = page_head(library);
    html += "<script>\nvar points = [\n";
    for (const auto& p : points)
        html += "  [" + js_string(p.name) + ", " + number(p.latitude) + ", " + number(p.longitude) +
                ", " + std::to_string(p.range_miles * k_meters_per_mile) + "],\n";
    html += "];\nfunction initialize() {\n";
    html += "  var map = L.map('map-canvas').setView([0, 0], 2);\n";
    html += k_terrain_tiles;
    html +=
        "  var bounds = [];\n"
        "  points.forEach(function (p) {\n"
        "    var at = L.latLng(p[1], p[2]);\n"
        "    L.marker(at, {title: p[0]}).bindPopup(p[0]).addTo(map);\n"
        "    if (p[3] > 0) L.circle(at, {radius: p[3], weight: 1}).addTo(map);\n"
        "    bounds.push(at);\n"
        "  });\n"
        "  if (bounds.length) map.fitBounds(bounds, {padding: [20, 20], maxZoom: 12});\n}\n";
    html += k_page_tail;
    return html;
}

bool install_map_library(const std::filesystem::path& library_folder,
                         const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(library_folder / "leaflet.js", ec) ||
        !fs::is_regular_file(library_folder / "leaflet.css", ec))
        return false;
    fs::path target = folder / "leaflet";
    fs::create_directories(target / "images", ec);
    for (const char* name : {"leaflet.js", "leaflet.css"}) {
        if (same_file(library_folder / name, target / name)) continue;
        fs::copy_file(library_folder / name, target / name, fs::copy_options::overwrite_existing,
                      ec);
        if (ec) return false;
    }
    if (fs::is_directory(library_folder / "images", ec))
        for (const auto& entry : fs::directory_iterator(library_folder / "images", ec))
            if (!same_file(entry.path(), target / "images" / entry.path().filename()))
                fs::copy_file(entry.path(), target / "images" / entry.path().filename(),
                              fs::copy_options::overwrite_existing, ec);
    return true;
}

std::filesystem::path write_page(const std::filesystem::path& folder, std::string_view name,
                                 std::string_view html, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::filesystem::path path = folder / std::string(name);
    SafeFileWriter out(path);
    out.write(html);
    if (!out.commit()) {
        if (error) *error = path.string() + ": " + out.error_text();
        return {};
    }
    return path;
}

std::filesystem::path write_map_page(const std::filesystem::path& folder, double latitude,
                                     double longitude, const MapLibrary& library,
                                     std::string* error) {
    return write_page(folder, "map.html", map_page_html(latitude, longitude, library), error);
}

std::vector<MapPoint> build_group_location_list(const SystemStore& store) {
    std::vector<MapPoint> out;
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id)) {
        if (!starts_with(store.key_of(id), "GRP-")) continue;
        const std::string& line = store.text_of(id);
        add_point(out, get_field(line, 4), get_field(line, 6), get_field(line, 7),
                  get_field(line, 8));
    }
    return out;
}

std::vector<MapPoint> build_site_location_list(const SystemStore& store) {
    std::vector<MapPoint> out;
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id)) {
        if (!starts_with(store.key_of(id), "SIT-")) continue;
        const std::string& line = store.text_of(id);
        add_point(out, get_field(line, 4), get_field(line, 6), get_field(line, 7),
                  get_field(line, 8));
    }
    return out;
}

}  // namespace tarvex::location
