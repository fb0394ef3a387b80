// coord, map and geocode: the location tools from the command line, the same core functions as
// the "GPS Location Data Editor:" and the lookup window.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/commands.h"
#include "cli/workspace.h"
#include "core/base/text.h"
#include "core/location/coordinates.h"
#include "core/location/map_page.h"

#ifdef TARVEX_CLI_WITH_PLATFORM
#include <QCoreApplication>

#include "app/platform/http_client_qt.h"
#include "core/location/geocode.h"
#endif

namespace tarvex::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* k_help =
    "usage: tarvex-cli coord to-decimal [--lon] TEXT\n"
    "       tarvex-cli coord from-decimal MODE VALUE\n"
    "       tarvex-cli map LAT LON -o map.html\n"
    "       tarvex-cli map --all FILE.hpd -o map.html\n"
    "       tarvex-cli geocode --service URL [--key KEY] (--address STREET CITY STATE |\n"
    "                          --zip CODE | --place NAME | --airport CODE)\n"
    "to-decimal reads a compact coordinate (40123456N, 074003600W with --lon).\n"
    "from-decimal writes decimal degrees as mode 0 signed DMS latitude, 1 signed DMS\n"
    "longitude, 2 compact latitude, 3 compact longitude, 4 DMS with three-digit degrees.\n"
    "map writes the map page of one point, or with --all the page of every site and group\n"
    "of FILE.hpd that has a location; the map library is copied beside it.\n"
    "geocode prints latitude, longitude and postal code of the answer, tab-separated.\n";

int usage_error(const std::string& what) {
    std::fprintf(stderr, "tarvex-cli: %s\n%s", what.c_str(), k_help);
    return 2;
}

bool is_decimal_number(const std::string& text) {
    std::string t = replace_all(trim(text), ",", ".");
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.erase(0, 1);
    int digits = 0, dots = 0;
    for (char c : t) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++dots;
        else
            return false;
    }
    return digits > 0 && dots <= 1;
}

// The map library installed beside the programs (build folder or installation).
fs::path library_folder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        for (const fs::path& candidate :
             {exe.parent_path() / "leaflet", exe.parent_path() / "../share/tarvex/leaflet"})
            if (fs::is_regular_file(candidate / "leaflet.js", ec)) return candidate;
    }
    return {};
}

}  // namespace

int cmd_coord(const Args& args) {
    if (wants_help(args)) return std::fputs(k_help, stdout), 0;
    if (args.empty()) return usage_error("coord needs to-decimal or from-decimal");
    if (args[0] == "to-decimal") {
        bool lon = false;
        std::vector<std::string> rest;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--lon")
                lon = true;
            else
                rest.push_back(args[i]);
        }
        if (rest.size() != 1) return usage_error("to-decimal needs one TEXT");
        std::printf("%s\n", location::compact_to_decimal(rest[0], lon).c_str());
        return 0;
    }
    if (args[0] == "from-decimal") {
        if (args.size() != 3) return usage_error("from-decimal needs MODE and VALUE");
        auto mode = parse_integer(args[1]);
        if (!mode || *mode < 0 || *mode > 4) return usage_error("MODE is 0 to 4");
        std::printf("%s\n", location::decimal_to_text(args[2], static_cast<int>(*mode)).c_str());
        return 0;
    }
    return usage_error("unknown coord subcommand '" + args[0] + "'");
}

int cmd_map(const Args& args) {
    if (wants_help(args)) return std::fputs(k_help, stdout), 0;
    std::vector<std::string> rest;
    std::string out;
    bool all = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 >= args.size()) return usage_error("-o needs a file name");
            out = args[++i];
        } else if (args[i] == "--all") {
            all = true;
        } else {
            rest.push_back(args[i]);
        }
    }
    if (out.empty()) return usage_error("map needs -o map.html");
    fs::path target = fs::absolute(out);
    fs::path folder = target.parent_path();
    location::MapLibrary library;
    fs::path from = library_folder();
    if (from.empty() || !location::install_map_library(from, folder))
        library = location::public_map_library();
    std::string html;
    if (all) {
        if (rest.size() != 1) return usage_error("map --all needs one FILE.hpd");
        Workspace ws;
        ReadOptions read;
        read.files = rest;
        if (!read_all(ws, read)) return 1;
        std::vector<location::MapPoint> points = location::build_site_location_list(*ws.store);
        std::vector<location::MapPoint> groups = location::build_group_location_list(*ws.store);
        points.insert(points.end(), groups.begin(), groups.end());
        if (points.empty()) {
            std::fprintf(stderr, "No site or group has a location.\n");
            return 1;
        }
        html = location::all_locations_page_html(points, library);
    } else {
        if (rest.size() != 2) return usage_error("map needs LAT LON -o map.html");
        if (!is_decimal_number(rest[0]) || !is_decimal_number(rest[1]))
            return usage_error("LAT and LON are decimal degrees (40.2096 -74.01)");
        double lat = lenient_number(location::clamp_latitude(replace_all(rest[0], ",", ".")));
        double lon = lenient_number(location::clamp_longitude(replace_all(rest[1], ",", ".")));
        html = location::map_page_html(lat, lon, library);
    }
    std::string error;
    fs::path written = location::write_page(folder, target.filename().string(), html, &error);
    if (written.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", written.string().c_str());
    return 0;
}

#ifdef TARVEX_CLI_WITH_PLATFORM
int cmd_geocode(const Args& args) {
    if (wants_help(args)) return std::fputs(k_help, stdout), 0;
    std::string service, key;
    std::optional<location::GeocodeQuery> query;
    auto set_query = [&](location::QueryKind kind) -> bool {
        if (query) return false;
        query = location::GeocodeQuery{};
        query->kind = kind;
        return true;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto has = [&](size_t n) { return i + n < args.size(); };
        if (a == "--service" && has(1)) {
            service = args[++i];
        } else if (a == "--key" && has(1)) {
            key = args[++i];
        } else if (a == "--address" && has(3)) {
            if (!set_query(location::QueryKind::Address)) return usage_error("give one query");
            query->street = args[++i];
            query->city = args[++i];
            query->state = args[++i];
        } else if ((a == "--zip" || a == "--place" || a == "--airport") && has(1)) {
            auto kind = a == "--zip"     ? location::QueryKind::PostalCode
                        : a == "--place" ? location::QueryKind::Place
                                         : location::QueryKind::Airport;
            if (!set_query(kind)) return usage_error("give one query");
            query->text = args[++i];
        } else {
            return usage_error("unexpected '" + a + "' (or a value is missing)");
        }
    }
    if (service.empty()) return usage_error("geocode needs --service URL");
    if (!query) return usage_error("geocode needs --address, --zip, --place or --airport");
    int argc = 1;
    char name[] = "tarvex-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QtGeocodeHttpClient http;
    location::GeocodeOutcome outcome = location::geocode(http, service, *query, key);
    if (!outcome.error.empty()) {
        std::fprintf(stderr, "%s\n", outcome.error.c_str());
        return 1;
    }
    const location::GeocodeResult& r = outcome.result;
    std::printf("%s\t%s\t%s\n", r.latitude.c_str(), r.longitude.c_str(), r.postal_code.c_str());
    if (!r.has_geometry) {
        std::fprintf(stderr, "The answer holds no location.\n");
        return 1;
    }
    return 0;
}
#endif

}  // namespace tarvex::cli
