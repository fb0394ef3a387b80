#pragma once
// The main store's keys that have a fixed default, with that default in stored form (trailing
// "x"), so every window reads a key with the same default. Keys whose default depends on the
// run (wwidth/wheight from the screen, gpsstate from a list position, VC_option1 from the data
// folder) and keys that are only written are not listed.
#include <array>
#include <string_view>

namespace tarvex {

struct SettingDefault {
    std::string_view section;  // empty: the root of the main store
    std::string_view key;
    std::string_view default_stored;
};

// Numbered keys sharing one default: prefix followed by first..last ("optie1".."optie50").
struct SettingFamily {
    std::string_view section;
    std::string_view prefix;
    int first;
    int last;
    std::string_view default_stored;
};

inline constexpr std::array k_setting_defaults = {
    SettingDefault{"", "wleft", "100x"},
    SettingDefault{"", "wtop", "100x"},
    SettingDefault{"", "wstate", "0x"},
    SettingDefault{"", "multihpd", ""},
    SettingDefault{"", "checkupdates", "Truex"},
    SettingDefault{"", "hp2model", "Falsex"},
    SettingDefault{"", "treesort", ""},
    SettingDefault{"", "showmsg1", "0x"},
    SettingDefault{"all", "browser_left", "3200x"},
    SettingDefault{"com", "comport", "1x"},
    SettingDefault{"com", "baudrate", "57600x"},
    SettingDefault{"com", "usbport", "0x"},
    SettingDefault{"options", "optie0", "testx"},
    SettingDefault{"gps", "def_lat", ""},
    SettingDefault{"gps", "def_long", ""},
    SettingDefault{"gps", "def_range", "10x"},
    SettingDefault{"gps", "home_lat", ""},
    SettingDefault{"gps", "home_long", ""},
    SettingDefault{"gps", "home_range", ""},
    SettingDefault{"general", "firmware", ""},
    SettingDefault{"general", "serienum", ""},
    SettingDefault{"general", "hpinfo", ""},
    SettingDefault{"general", "hpdbase", ""},
    SettingDefault{"colwidth", "ccol_width", "1200x"},
    SettingDefault{"colwidth", "tcol_width", "1200x"},
    SettingDefault{"colwidth", "ucol_width", "1500x"},
    SettingDefault{"colwidth", "fcol_width", "1200x"},
    SettingDefault{"csv", "csvleft", "100x"},
    SettingDefault{"csv", "csvtop", "100x"},
    SettingDefault{"csv", "csvwidth", "11640x"},
    SettingDefault{"csv", "csvheight", "8100x"},
    SettingDefault{"bulkedit", "cmb", "x"},
    SettingDefault{"bulkedit", "chk", "0x"},
    SettingDefault{"bulkedit", "serv", "Nonex"},
    SettingDefault{"bulkedit", "dbase", "Falsex"},
    SettingDefault{"startup", "startup", "0x"},
    SettingDefault{"vc", "VC_option10", "0x"},
    SettingDefault{"vc", "wvc1", "1200x"},
    SettingDefault{"vc", "wvc2", "1200x"},
    SettingDefault{"vc", "wvc3", "800x"},
    SettingDefault{"vc", "wvc4", "800x"},
    SettingDefault{"vc", "wvc5", "800x"},
    SettingDefault{"vc", "wvc6", "1000x"},
    SettingDefault{"vc", "wvc7", "1000x"},
    SettingDefault{"vc", "wvc8", "1000x"},
    SettingDefault{"vc", "wvc9", "900x"},
    SettingDefault{"vc", "wvc10", "650x"},
    SettingDefault{"vc", "wvc11", "800x"},
    SettingDefault{"vc", "wvc12", "1000x"},
    SettingDefault{"vc", "wvc13", "1200x"},
    SettingDefault{"vc", "wvc14", "500x"},
    SettingDefault{"minivc", "vc396minileft", "x"},
    SettingDefault{"minivc", "vc396minitop", "x"},
    SettingDefault{"minivc", "vc396minimode", "1x"},
    SettingDefault{"minivc", "vc396ah", "0x"},
    SettingDefault{"grid", "listwidth", "x"},
};

inline constexpr std::array k_setting_families = {
    SettingFamily{"options", "optie", 1, 50, "x"},
    SettingFamily{"gps", "def_ena", 0, 3, "1x"},
};

// The stored-form default of a main-store key; "" (which reads as the empty text) for a key
// without a fixed default.
std::string_view setting_default(std::string_view section, std::string_view key);

}  // namespace tarvex
