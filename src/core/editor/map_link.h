#pragma once
// The web map link of a site's or group's position, opened in the default browser. A public
// map that needs no account or key, so the link works for everyone.
#include <string>
#include <string_view>

namespace tarvex {

inline constexpr std::string_view k_no_location = "No latitude and longitude set.";

// The map centred on the position with a marker; "" when either value is not a coordinate
// (latitude -90..90, longitude -180..180) or both are 0, the records' "no position".
std::string map_link(std::string_view latitude, std::string_view longitude);

}  // namespace tarvex
