#include "core/location/distance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvex::location {

namespace {

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

}  // namespace

double distance_miles(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = radians(std::clamp(lat1, -90.0, 90.0));
    const double p2 = radians(std::clamp(lat2, -90.0, 90.0));
    const double dl = radians(lon2 - lon1);
    // The atan2 form of the central angle stays exact from a few feet to the antipodes, where
    // the haversine's asin loses digits.
    const double a = std::cos(p2) * std::sin(dl);
    const double b = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    const double c = std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl);
    return k_earth_radius_miles * std::atan2(std::sqrt(a * a + b * b), c);
}

bool within_range(double centre_lat, double centre_lon, double range_miles, double lat,
                  double lon) {
    if (!(range_miles >= 0)) return false;
    // A hair of slack so a point typed exactly on the edge (to six decimals) counts as inside.
    return distance_miles(centre_lat, centre_lon, lat, lon) <= range_miles + 1e-6;
}

bool is_unset(double lat, double lon) {
    if (!std::isfinite(lat) || !std::isfinite(lon)) return true;
    return lat == 0.0 && lon == 0.0;
}

}  // namespace tarvex::location
