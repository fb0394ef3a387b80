#pragma once
// Record lines: the program's comma-separated layout of every object (systems, sites, groups,
// bandplans, site frequencies, unit IDs, trunk settings), and the tables that tie a system
// type to its HPD file word and its type code.
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// Field n (0 = record tag) of a comma-separated line, CR and LF removed first. One leading and
// one trailing double quote are dropped. With expected_count > 0 the line's last field index
// must equal expected_count, otherwise the result is "0". No quoting protects a comma.
std::string get_field(std::string_view line, int n, int expected_count = 0);
// The same split without quote stripping and without the count check.
std::string get_field_plain(std::string_view line, int n);
// The line with field n replaced (fields added as empty when the line is shorter).
std::string set_field(std::string_view line, int n, std::string_view value);
// Commas inside a text value are stored as ";".
std::string comma_to_semicolon(std::string_view text);

// Templates of new records.
namespace templates {
inline constexpr std::string_view fleet_map_default = "FMP,0,0,0,0,0,0,0,0";
inline constexpr std::string_view bandplan_default =
    "MCP,type,851.0250,854.0000,25.0,440,851.0125,868.9875,25.0,0,0,0,25.0,0,0,0,25.0,0,0,0,"
    "25.0,0,0,0,25.0,0";
inline constexpr std::string_view trunk_settings =
    "TRN,type,False,0,Ignore,False,RSV1,RSV2,Off,Auto,Custom,00000000,1,2,3,4,5,6,7,8,9,10,"
    "False,Off,On,,0";
inline constexpr std::string_view quick_key_list = "QGL,type,1111111111";
inline constexpr std::string_view abp = "ABP,type,";
inline constexpr std::string_view new_site =
    "SIF,Site,SiteId=0,TrunkId=0,A New Site,Off,00.000000,-00.000000,0.0,AUTO,Standard,Wide,"
    "Circle,0";
inline constexpr std::string_view new_site_custom =
    "SIF,Site,SiteId=0,TrunkId=0,A New Site,Off,00.000000,-00.000000,0.0,AUTO,Custom/Rebanded,"
    "Wide,Circle,0";
inline constexpr std::string_view uid_holder_editor = "UID,UID Editor";
inline constexpr std::string_view uid_holder_reader = "UID, OPEN FILE";
inline constexpr std::string_view new_system_date = "01/01/2010 10:00:00";
}  // namespace templates

std::string new_conventional_system(std::string_view name);
// A new trunked system of the given system type ("Motorola", "LTR", "P25 Standard", ...).
std::string new_trunked_system(std::string_view system_type, std::string_view name);
std::string new_group(std::string_view name);

// The ten system types: record word (SIN field 1), HPD file word (SIN field 7), type code.
struct SystemTypeInfo {
    std::string_view type_name;  // "Edacs Narrow/Wide"
    std::string_view file_word;  // "Edacs"
    int code;                    // 0 conventional, 1..9 trunked
};
inline constexpr SystemTypeInfo k_system_types[] = {
    {"Conventional", "Conventional", 0},
    {"Motorola", "Motorola", 1},
    {"Edacs Narrow/Wide", "Edacs", 2},
    {"Edacs Scat", "Scat", 3},
    {"LTR", "Ltr", 4},
    {"P25 Standard", "P25Standard", 5},
    {"P25 One Freq Trunk", "P25OneFrequency", 6},
    {"P25 X2 TDMA", "P25X2_TDMA", 7},
    {"MotoTRBO", "MotoTrbo", 8},
    {"DMR One Frequency", "DmrOneFrequency", 9},
};
// A "Trunk" line's file word to its system type ("P25 Standard" is accepted as a file word too).
const SystemTypeInfo* system_type_from_file_word(std::string_view word);
const SystemTypeInfo* system_type_from_name(std::string_view type_name);
// The writer's file word for a record's system type (field 1), by its chain of replacements.
std::string file_word_for_system_type(std::string_view type_name);

}  // namespace tarvex
