#pragma once
// How far apart two places on the earth are, for choosing what lies near the user's home.
// Coordinates are decimal degrees (north and east positive), distances statute miles, the unit
// of every range the scanner keeps.
namespace tarvex::location {

inline constexpr double k_earth_radius_miles = 3958.8;

// Great-circle distance over a sphere of the earth's mean radius. Latitudes are clamped to
// -90..90; longitudes may lie on either side of the date line.
double distance_miles(double lat1, double lon1, double lat2, double lon2);

// True when the point lies at most `range_miles` from the centre. A negative range holds
// nothing; a range of 0 holds only the centre itself.
bool within_range(double centre_lat, double centre_lon, double range_miles, double lat, double lon);

// Whether a stored place means "no location": both coordinates zero, as new sites and groups
// are created, or not finite.
bool is_unset(double lat, double lon);

}  // namespace tarvex::location
