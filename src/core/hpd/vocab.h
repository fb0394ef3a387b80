#pragma once
// The scanner's value vocabularies: the words and ranges it accepts in each field, service-type
// numbering, CTCSS/DCS tables, tone words, alpha-tag and talkgroup cleaning, and the two
// converters from group channel file lines to HPD lines.
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvex::vocab {

// A fixed list of accepted values with its default.
struct ValueList {
    std::span<const std::string_view> entries;
    std::string_view fallback;
    // The value itself when it equals an entry (case-sensitive), otherwise the default.
    std::string pick(std::string_view value) const;
    bool accepts(std::string_view value) const;
};

const ValueList& switch_list();              // "Off", "On"
const ValueList& mode_list();                // "AM", "FM", "NFM", "AUTO"
const ValueList& delay_list();               // "30" ... "-10", default "2"
const ValueList& volume_offset_list();       // "-3" ... "3", default "0"
const ValueList& alert_tone_list();          // "Off", "1".."9"
const ValueList& alert_level_list();         // "Auto", "1".."15"
const ValueList& alert_light_list();         // "Off", "Blue", ...
const ValueList& alert_pattern_list();       // "On", "Slow Blink", "Fast Blink"
const ValueList& audio_type_list();          // "ALL", "ANALOG", "DIGITAL" (compare upper-cased)
const ValueList& sq_mode_list();             // "All", "None", "CTCSS", "DCS", "P25", "DMR" (grid)
const ValueList& audio_type_display_list();  // "All", "Analog", "Digital" (grid)

// NumberTag: "Off" or 0..999 ("007" -> "7", 1200 -> "999", -4 -> "0", "None"/""/"1000" -> "Off").
std::string number_tag(std::string_view value);

// Service types: slots 1..217; name of slot n ("" when empty).
std::string_view service_type_at(int n);
// Reading: the name for 1..37 and 208..217 when the slot has one, else "NOT DEFINED".
std::string service_type_name(long long n);
// Writing: "" is "Custom 1"; first slot whose name equals; else 1 (channel) or 6 (talkgroup).
int service_type_number(std::string_view name, bool talkgroup);
// The 39 names in the order the grid editor offers them.
std::span<const std::string_view> service_type_menu();

std::span<const std::string_view> ctcss_tones();  // 50 tones "67.0" .. "254.1"
// The grid's CTCSS choices: "Search" followed by the 50 tones.
std::span<const std::string_view> ctcss_selection();
std::span<const std::string_view> dcs_codes();  // 104 codes "023" .. "754"

// Alpha tag on its way to a file: empty gives `empty_default`; else first 64 characters with
// codes 1..20 and 127..255 removed (`empty_default` again when nothing is left).
std::string clean_alpha_tag(std::string_view text, std::string_view empty_default = "");
// Talkgroup on its way to a file (digits, "-" and a unit-ID "i" remain; above 65000 is 65000).
std::string clean_talkgroup(std::string_view text);

// 0 none/other, 1 CTCSS tone, 2 DCS code, 3 NAC (hexadecimal 0..4095 without ".").
int classify_tone_code(std::string_view code);
// SQ Mode and SQ Code of a channel to the "C-Freq" tone word.
std::string tone_word(std::string_view sq_mode, std::string_view sq_code);
// A "C-Freq" tone word back to SQ Mode and SQ Code ("" gives "All", "").
std::pair<std::string, std::string> sq_from_tone_word(std::string_view word);

// A channel line ("row,Frequency,Alpha Tag,...") to its "C-Freq" HPD line (tab-separated, no
// line end); "" when Frequency is empty.
std::string channel_to_cfreq(std::string_view channel_line);
// A talkgroup line to its "TGID" HPD line; "" when Talkgroup is empty or cleans to nothing.
std::string talkgroup_to_tgid(std::string_view talkgroup_line);

}  // namespace tarvex::vocab
