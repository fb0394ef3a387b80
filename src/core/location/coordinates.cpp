#include "core/location/coordinates.h"

#include <cmath>
#include <cstdio>

#include "core/base/text.h"

namespace tarvex::location {

namespace {

double read_number(std::string_view text) {
    return lenient_number(replace_all(trim(text), ",", "."));
}

std::string two_digits(long long v) {
    return pad_number(v, 2);
}

}  // namespace

std::string format_degrees(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", value);
    std::string out = replace_all(buf, ",", ".");
    if (out == "-0.000000") out = "0.000000";
    return out;
}

std::string compact_to_decimal(std::string_view text, bool longitude) {
    std::string t = trim(text);
    bool negative = false;
    if (!t.empty()) {
        char last = t.back();
        negative = longitude ? (last == 'W' || last == 'w') : (last == 'S' || last == 's');
    }
    // Whole hundredths of a second, so the arithmetic below is exact.
    double digits = read_number(t.substr(0, longitude ? 9 : 8));
    if (digits < 0) {
        negative = !negative;
        digits = -digits;
    }
    long long hundredths = std::llround(digits);
    hundredths = std::min<long long>(hundredths, 180000000LL);
    if (hundredths == 0) return format_degrees(0);
    long long whole = hundredths / 100;
    long long fraction = hundredths % 100;
    long long seconds = whole % 100;
    long long minutes = (whole / 100) % 100;
    long long degrees = whole / 10000;
    double value = static_cast<double>(degrees) + static_cast<double>(minutes) / 60.0 +
                   (static_cast<double>(seconds) + static_cast<double>(fraction) / 100.0) / 3600.0;
    return format_degrees(negative ? -value : value);
}

std::string decimal_to_text(std::string_view value, int mode) {
    if (mode < 0 || mode > 4 || trim(value).empty()) return {};
    double v = read_number(value);
    if (v == 0) return {};
    // Hundredths of a second from the start, so 34.56" never prints as 34.559999 or 60.00.
    long long total = std::llround(std::fabs(v) * 360000.0);
    long long degrees = total / 360000;
    long long minutes = (total % 360000) / 6000;
    long long hundredths = total % 6000;
    std::string seconds = two_digits(hundredths / 100) + "." + two_digits(hundredths % 100);
    std::string text =
        pad_number(degrees, (mode == 3 || mode == 4) ? 3 : 1) + two_digits(minutes) + seconds;
    if ((mode == 0 || mode == 1) && v < 0) text.insert(0, "-");
    if (mode == 2 || mode == 3) {
        text = replace_all(text, ".", "");
        if (mode == 2)
            text += v < 0 ? "S" : "N";
        else
            text += v < 0 ? "W" : "E";
    }
    return text;
}

std::string clamp_coordinate(std::string_view text, int limit) {
    double v = read_number(text);
    if (v > limit) return std::to_string(limit);
    if (v < -limit) return "-" + std::to_string(limit);
    return std::string(text);
}

std::string clamp_range(std::string_view text) {
    if (trim(text).empty()) return "0";
    double v = read_number(text);
    if (v < 0) return "0";
    if (v > k_max_range) return "150";
    return std::string(text);
}

std::string default_location_line(const DefaultLocation& d) {
    std::string lat = d.ticks[0] ? decimal_to_text(d.latitude, 2) : std::string();
    std::string lon = d.ticks[1] ? decimal_to_text(d.longitude, 3) : std::string();
    if (lat.empty()) lat = std::string(k_unset_latitude);
    if (lon.empty()) lon = std::string(k_unset_longitude);
    std::string range = d.ticks[2] ? clamp_range(d.range) : std::string("1");
    return lat + "," + lon + "," + range + "," + (d.ticks[3] ? "1" : "0");
}

std::string apply_default_location(std::string_view record, std::string_view location_line) {
    std::vector<std::string> loc = split(location_line, ',');
    if (loc.size() < 4 || trim(loc[3]) != "1") return std::string(record);
    std::vector<std::string> fields = split(record, ',');
    if (fields.size() < 9) return std::string(record);
    // An unset coordinate keeps the template's own spelling of "no position".
    if (trim(loc[0]) != k_unset_latitude) fields[6] = compact_to_decimal(loc[0], false);
    if (trim(loc[1]) != k_unset_longitude) fields[7] = compact_to_decimal(loc[1], true);
    // Ranges are miles with one decimal.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", read_number(loc[2]));
    fields[8] = replace_all(buf, ",", ".");
    return join(fields, ',');
}

}  // namespace tarvex::location
