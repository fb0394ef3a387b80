#include "core/location/location_form.h"

#include <array>

#include "core/base/text.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

namespace tarvex::location {

namespace {

constexpr std::array<std::string_view, 56> k_states = {
    "AK", "AL", "AR", "AS", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "GU", "HI",
    "IA", "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MP",
    "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA",
    "PR", "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VI", "VT", "WA", "WI", "WV", "WY"};

constexpr std::array<Country, 7> k_countries = {
    Country{"US", "US"},          Country{"Canada", "CA"},          Country{"Australia", "AU"},
    Country{"New Zealand", "NZ"}, Country{"The Netherlands", "NL"}, Country{"Germany", "DE"},
    Country{"UK", "GB"}};

double degrees(std::string_view text) {
    return lenient_number(replace_all(trim(text), ",", "."));
}

}  // namespace

LocationValues location_from_editor(std::string_view latitude, std::string_view longitude,
                                    std::string_view range) {
    LocationValues v;
    v.latitude = replace_all(trim(latitude), ",", ".");
    v.longitude = replace_all(trim(longitude), ",", ".");
    v.range = trim(range);
    v.used = degrees(latitude) != 0 || degrees(longitude) != 0;
    return v;
}

LocationValues accept_location(const LocationValues& typed) {
    LocationValues v;
    v.used = typed.used;
    v.range = clamp_range(trim(typed.range));
    if (!typed.used) {
        v.latitude = v.longitude = format_degrees(0);
        return v;
    }
    v.latitude = format_degrees(degrees(clamp_latitude(typed.latitude)));
    v.longitude = format_degrees(degrees(clamp_longitude(typed.longitude)));
    return v;
}

int apply_location_to_sites(SystemStore& store, int system, const LocationValues& accepted) {
    int done = 0;
    for (const std::string& key : store.child_keys(keys::system(system))) {
        if (!starts_with(key, "SIT-")) continue;
        std::string line = store.get_node_text(key);
        line = set_field(line, 6, accepted.latitude);
        line = set_field(line, 7, accepted.longitude);
        line = set_field(line, 8, accepted.range);
        store.set_node_text(key, line);
        ++done;
    }
    if (done > 0) store.mark_changed(system);
    return done;
}

LocationSettings read_location_settings(const Settings& s) {
    LocationSettings v;
    v.home_lat = s.GetSetting("gps", "home_lat", "x");
    v.home_long = s.GetSetting("gps", "home_long", "x");
    v.home_range = s.GetSetting("gps", "home_range", "25x");
    v.gpsstate = s.GetSetting("gps", "gpsstate", "x");
    v.defaults.latitude = s.GetSetting("gps", "def_lat", "x");
    v.defaults.longitude = s.GetSetting("gps", "def_long", "x");
    v.defaults.range = s.GetSetting("gps", "def_range", "10x");
    for (size_t i = 0; i < v.defaults.ticks.size(); ++i)
        v.defaults.ticks[i] = trim(s.GetSetting("gps", "def_ena" + std::to_string(i), "1x")) == "1";
    return v;
}

void write_location_settings(Settings& s, const LocationSettings& v) {
    s.SaveSetting("gps", "home_lat", v.home_lat);
    s.SaveSetting("gps", "home_long", v.home_long);
    s.SaveSetting("gps", "home_range", v.home_range);
    s.SaveSetting("gps", "gpsstate", v.gpsstate);
    s.SaveSetting("gps", "def_lat", v.defaults.latitude);
    s.SaveSetting("gps", "def_long", v.defaults.longitude);
    s.SaveSetting("gps", "def_range", v.defaults.range);
    for (size_t i = 0; i < v.defaults.ticks.size(); ++i)
        s.SaveSetting("gps", "def_ena" + std::to_string(i), v.defaults.ticks[i] ? "1" : "0");
}

std::span<const std::string_view> state_list() {
    return k_states;
}

std::span<const Country> country_list() {
    return k_countries;
}

}  // namespace tarvex::location
