#pragma once
// What the RadioReference windows keep in the import settings store: credentials, the base URL,
// the application key and the import options.
#include <set>
#include <string>
#include <string_view>

#include "core/radioref/rr_import.h"

namespace tarvex {
class Settings;
}

namespace tarvex::radioref {

// Import-store keys of our own (the options use the window's historical keys).
inline constexpr std::string_view k_key_user = "user";
inline constexpr std::string_view k_key_pass = "pass";
inline constexpr std::string_view k_key_zip = "zip";
inline constexpr std::string_view k_key_base_url = "rr_base_url";
inline constexpr std::string_view k_key_app_key = "rr_app_key";
inline constexpr std::string_view k_key_trace = "rr_trace";

ImportOptions load_import_options(const Settings& s);
void save_import_options(Settings& s, const ImportOptions& o);

std::string stored_base_url(const Settings& s);
// The application key the program carries (the service wants 8 decimal digits); the setting
// `rr_app_key` replaces it, for a build whose distributor was issued a key of its own.
inline constexpr long k_program_app_key = 12345678;

struct AppKey {
    std::string key;    // what every call sends in its authInfo
    std::string error;  // why the setting was refused ("" when it was not)
};
// The program's key while the setting is empty, the setting when it is 8 decimal digits; a
// setting of any other form is refused with a message that names it.
AppKey stored_app_key(const Settings& s);
// The check itself, for a value typed anywhere.
AppKey app_key_from(std::string_view setting);

// The service-type filter (section "RRservicetype", keys "servtype" + number, "True"/"False"):
// every named tag is stored, the ticked ones as "True". Nothing stored admits every tag.
std::set<int> load_service_type_filter(const Settings& s);
void save_service_type_filter(Settings& s, const std::set<int>& ticked);

}  // namespace tarvex::radioref
