#pragma once
// Coordinates as the scanner's records and the location dialog write them: decimal degrees with
// six decimals, the compact forms of the scanner's own lists (40123456N, 074003600W) and signed
// degrees-minutes-seconds, plus the limits typed values are held to.
#include <array>
#include <string>
#include <string_view>

namespace tarvex::location {

inline constexpr std::string_view k_unset_latitude = "00000000N";
inline constexpr std::string_view k_unset_longitude = "000000000W";
inline constexpr double k_max_range = 150.0;

// "##0.000000" with "." whatever the locale: 40.2096 -> "40.209600", -0.5 -> "-0.500000".
std::string format_degrees(double value);

// "40123456N" -> "40.209600", "074003600W" (longitude) -> "-74.010000". The last two digits
// are hundredths of a second; more than 180 degrees reads as 180; zero gives "0.000000".
std::string compact_to_decimal(std::string_view text, bool longitude);

// Decimal degrees text (lenient, "," read as ".") in one of the five forms: 0 signed DMS of a
// latitude ("401234.56"), 1 the same for a longitude, 2 compact latitude ("40123456N"), 3
// compact longitude ("074003600W"), 4 DMS with three-digit degrees and no sign. Empty for an
// empty or zero value (an unset coordinate), and for an unknown mode.
std::string decimal_to_text(std::string_view value, int mode);

// Typed values held to their limits: coordinates outside -limit..limit become "limit" or
// "-limit" ("90", "-180"); other text is kept as typed. Ranges below 0 (or empty) become "0",
// above 150 "150".
std::string clamp_coordinate(std::string_view text, int limit);
inline std::string clamp_latitude(std::string_view text) {
    return clamp_coordinate(text, 90);
}
inline std::string clamp_longitude(std::string_view text) {
    return clamp_coordinate(text, 180);
}
std::string clamp_range(std::string_view text);

// The location new sites and groups receive ("Apply these settings to all new sites/groups:").
struct DefaultLocation {
    std::string latitude, longitude;  // decimal degrees
    std::string range = "10";
    // Latitude, Longitude, Range, "Enable GPS Scanning"
    std::array<bool, 4> ticks{true, true, true, true};
};

// "lat,lon,range,enabled" with the compact coordinates: an untick (or an unset value) gives
// "00000000N" / "000000000W", an unticked range "1", the last field "1" when scanning by
// location is enabled. Example: "40123456N,074003600W,10,1".
std::string default_location_line(const DefaultLocation& defaults);

// A new SIF or GIN record with the default location in its latitude, longitude and range fields
// (6, 7, 8), the records' decimal form. When scanning by location is not enabled the record
// stays as it is; an unset coordinate keeps the template's text.
std::string apply_default_location(std::string_view record, std::string_view location_line);

}  // namespace tarvex::location
