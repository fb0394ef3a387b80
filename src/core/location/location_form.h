#pragma once
// The decisions of the "GPS Location Data Editor:" dialog: what it shows for a site or group,
// what Accept hands back, the apply-to-all over a system's sites, and the gps settings it reads
// when it opens and writes when it closes.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/location/coordinates.h"

namespace tarvex {
class Settings;
class SystemStore;
}  // namespace tarvex

namespace tarvex::location {

inline constexpr std::string_view k_location_title = "GPS Location Data Editor:";
inline constexpr std::string_view k_apply_all_question =
    "This may overwrite existing GPS data. Continue?";
inline constexpr std::string_view k_no_find_service =
    "Find GPS data asks an older geocoding service whose address is not set (settings \"gps\", "
    "\"find_service\" and \"find_appid\"). \"GPS search\" asks the current service.";
inline constexpr std::string_view k_defaults_caption =
    "Apply these settings to all new sites/groups:";

// One item's location as the dialog edits it: decimal degrees, miles, and whether the item
// has a location at all (the records keep "no location" as a zero position).
struct LocationValues {
    std::string latitude, longitude, range;
    bool used = false;
};

// From the calling editor's decimal fields; an item at 0,0 shows the tick off.
LocationValues location_from_editor(std::string_view latitude, std::string_view longitude,
                                    std::string_view range);
// Accept: coordinates held to -90..90 / -180..180, the range to 0..150 ("0" when empty), and
// the coordinates written with six decimals. With the tick off the item gets the zero
// position, which the scanner takes as "no location".
LocationValues accept_location(const LocationValues& typed);

// "Apply To Grp/Site" for sites, after its question: latitude, longitude and range into every
// site of the system. Returns the sites written.
int apply_location_to_sites(SystemStore& store, int system, const LocationValues& accepted);

// The gps settings the dialog keeps.
struct LocationSettings {
    std::string home_lat, home_long, home_range = "25";
    std::string gpsstate;
    DefaultLocation defaults;
};
LocationSettings read_location_settings(const Settings& settings);
void write_location_settings(Settings& settings, const LocationSettings& values);

// The 56 states and territories of the state lists, in their order.
std::span<const std::string_view> state_list();
// The lookup's countries: display name and code.
struct Country {
    std::string_view name, code;
};
std::span<const Country> country_list();

}  // namespace tarvex::location
