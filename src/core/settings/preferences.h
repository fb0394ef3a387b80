#pragma once
// The preferences the user sets in Setup -> "Software Options": where each one is stored, what
// the dialog calls it and which values it accepts. The dialog is a view over this table, so the
// rules (an address must be a web address, a key eight digits) are the same for every window
// that reads the values, and a test can reach them without a display.
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

class Settings;

enum class PreferenceKind {
    Text,        // any text
    Folder,      // one folder; empty: the program's own choice
    FolderList,  // folders, one a line
    Url,         // an http:// or https:// address
    AppKey,      // eight digits, or empty
    SerialPort,  // a device path or port name; empty: search for the scanner
    Flag,        // "1" or "0"
};

// The main store is addressed by section and key, the import store by key alone.
enum class PreferenceStore { Main, Import };

struct Preference {
    std::string_view id;     // stable name: the dialog's control is named after it
    std::string_view group;  // the dialog's page
    std::string_view caption;
    PreferenceKind kind;
    PreferenceStore store;
    std::string_view section;
    std::string_view key;
    std::string_view default_value;  // as the dialog shows it (no stored-form letter)
    // A flag stored the other way round: "showmsg1" = 1 means the warning was already shown.
    bool inverted = false;
};

inline constexpr std::string_view k_default_rr_base_url = "https://api.radioreference.com/soap2/";
inline constexpr std::string_view k_default_geocode_address = "https://maps.googleapis.com";

// The dialog's pages in the order shown.
inline constexpr std::array<std::string_view, 6> k_preference_groups = {
    "Card", "Master Database", "Virtual Control", "RadioReference", "Geocoding", "Start-up"};

inline constexpr std::array k_preferences = {
    Preference{"card_folders", "Card",
               "Card folders, one a line (searched for the scanner before the mounted drives):",
               PreferenceKind::FolderList, PreferenceStore::Main, "card", "drive_folders", ""},
    Preference{"masterdb_folder", "Master Database",
               "Master database folder (empty: where Uniden's own software keeps it):",
               PreferenceKind::Folder, PreferenceStore::Main, "masterdb", "folder", ""},
    Preference{"serial_port", "Virtual Control",
               "Scanner's serial port (empty: search every port for the scanner):",
               PreferenceKind::SerialPort, PreferenceStore::Main, "com", "usbdevice", ""},
    Preference{"rr_base_url", "RadioReference", "Web service address:", PreferenceKind::Url,
               PreferenceStore::Import, "", "rr_base_url", k_default_rr_base_url},
    Preference{"rr_app_key", "RadioReference",
               "Application key (8 digits; empty: the program's own key):", PreferenceKind::AppKey,
               PreferenceStore::Import, "", "rr_app_key", ""},
    Preference{"geocode_service", "Geocoding", "Geocoding service address:", PreferenceKind::Url,
               PreferenceStore::Main, "gps", "geocode_service", k_default_geocode_address},
    Preference{"geocode_key", "Geocoding", "Geocoding service key:", PreferenceKind::Text,
               PreferenceStore::Main, "gps", "geocode_key", ""},
    Preference{"firmware_warning", "Start-up",
               "Show the firmware warning when the program starts next time", PreferenceKind::Flag,
               PreferenceStore::Main, "", "showmsg1", "1", true},
};

// The entry of an id; nullptr for an unknown id.
const Preference* find_preference(std::string_view id);

// Every preference's value by id, as the dialog shows it.
using PreferenceValues = std::map<std::string, std::string, std::less<>>;

std::string load_preference(const Settings& settings, const Preference& p);
void save_preference(Settings& settings, const Preference& p, std::string_view value);
PreferenceValues load_preferences(const Settings& settings);

// Why the value cannot be kept, in words for the user; nullopt when it is acceptable. Folders
// that do not exist are not an error here (see missing_folders): the user may create them.
std::optional<std::string> preference_error(const Preference& p, std::string_view value);

// The folders a folder preference names that do not exist (yet).
std::vector<std::filesystem::path> missing_folders(const Preference& p, std::string_view value);

// Creates the folders; the message of the first that could not be created, nullopt when all
// exist afterwards.
std::optional<std::string> create_folders(const std::vector<std::filesystem::path>& folders);

// The ids whose value differs between the two sets (an id missing from `after` is unchanged).
std::vector<std::string> changed_preferences(const PreferenceValues& before,
                                             const PreferenceValues& after);

// Stores the values that changed (after checking every one) and returns their ids. When any
// value is not acceptable nothing is stored and `error` names the first ("Caption: reason").
struct PreferenceSave {
    std::vector<std::string> changed;
    std::optional<std::string> error;
};
PreferenceSave save_preferences(Settings& settings, const PreferenceValues& values);

// A setting text (UTF-8) as a path on every platform.
std::filesystem::path utf8_path(std::string_view text);

}  // namespace tarvex
