#include "core/editor/map_link.h"

#include <cmath>
#include <cstdio>

#include "core/base/text.h"

namespace tarvex {

namespace {

bool is_number(std::string_view s) {
    std::string t = trim(s);
    if (t.empty()) return false;
    size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    bool digit = false, point = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9')
            digit = true;
        else if (t[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

}  // namespace

std::string map_link(std::string_view latitude, std::string_view longitude) {
    if (!is_number(latitude) || !is_number(longitude)) return {};
    double lat = lenient_number(latitude), lon = lenient_number(longitude);
    if (std::fabs(lat) > 90.0 || std::fabs(lon) > 180.0) return {};
    if (lat == 0.0 && lon == 0.0) return {};
    char buf[200];
    std::snprintf(buf, sizeof buf,
                  "https://www.openstreetmap.org/?mlat=%.6f&mlon=%.6f#map=12/%.6f/%.6f", lat, lon,
                  lat, lon);
    return buf;
}

}  // namespace tarvex
