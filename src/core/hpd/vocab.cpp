#include "core/hpd/vocab.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/base/text.h"

namespace tarvex::vocab {

using namespace std::string_view_literals;

std::string ValueList::pick(std::string_view value) const {
    return std::string(accepts(value) ? value : fallback);
}

bool ValueList::accepts(std::string_view value) const {
    return std::find(entries.begin(), entries.end(), value) != entries.end();
}

namespace {

// The converters run for every row of a database on saving, so the chosen word is handed on
// as a view into the table instead of a fresh string.
std::string_view choose(const ValueList& list, std::string_view value) {
    for (std::string_view entry : list.entries)
        if (entry == value) return entry;
    return list.fallback;
}

constexpr std::string_view k_switch[] = {"Off", "On"};
constexpr std::string_view k_mode[] = {"AM", "FM", "NFM", "AUTO"};
constexpr std::string_view k_delay[] = {"30", "10", "5", "4", "3", "2", "1", "0", "-5", "-10"};
constexpr std::string_view k_volume_offset[] = {"-3", "-2", "-1", "0", "1", "2", "3"};
constexpr std::string_view k_alert_tone[] = {"Off", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr std::string_view k_alert_level[] = {"Auto", "1", "2",  "3",  "4",  "5",  "6",  "7",
                                              "8",    "9", "10", "11", "12", "13", "14", "15"};
constexpr std::string_view k_alert_light[] = {"Off",   "Blue", "Red",    "Magenta",
                                              "Green", "Cyan", "Yellow", "White"};
constexpr std::string_view k_alert_pattern[] = {"On", "Slow Blink", "Fast Blink"};
constexpr std::string_view k_audio_type[] = {"ALL", "ANALOG", "DIGITAL"};
constexpr std::string_view k_sq_mode[] = {"All", "None", "CTCSS", "DCS", "P25", "DMR"};
constexpr std::string_view k_audio_type_display[] = {"All", "Analog", "Digital"};

const ValueList k_switch_list{k_switch, "Off"};
const ValueList k_mode_list{k_mode, "AUTO"};
const ValueList k_delay_list{k_delay, "2"};
const ValueList k_volume_offset_list{k_volume_offset, "0"};
const ValueList k_alert_tone_list{k_alert_tone, "Off"};
const ValueList k_alert_level_list{k_alert_level, "Auto"};
const ValueList k_alert_light_list{k_alert_light, "Off"};
const ValueList k_alert_pattern_list{k_alert_pattern, "On"};
const ValueList k_audio_type_list{k_audio_type, "ALL"};
const ValueList k_sq_mode_list{k_sq_mode, "All"};
const ValueList k_audio_type_display_list{k_audio_type_display, "All"};

struct ServiceSlot {
    int number;
    std::string_view name;
};

// The scanner's numbering; the gaps are numbers it leaves unassigned.
constexpr ServiceSlot k_service_slots[] = {
    {1, "Multi-Dispatch"}, {2, "Law Dispatch"},
    {3, "Fire Dispatch"},  {4, "EMS Dispatch"},
    {6, "Multi-TAC"},      {7, "Law TAC"},
    {8, "Fire-Tac"},       {9, "EMS-Tac"},
    {11, "Interop"},       {12, "Hospital"},
    {13, "Ham"},           {14, "Public Works"},
    {15, "Aircraft"},      {16, "Federal"},
    {17, "Business"},      {20, "Railroad"},
    {21, "Other"},         {22, "Multi-Talk"},
    {23, "Law-Talk"},      {24, "Fire-Talk"},
    {25, "EMS-Talk"},      {26, "Transportation"},
    {29, "Emergency Ops"}, {30, "Military"},
    {31, "Media"},         {32, "Schools"},
    {33, "Security"},      {34, "Utilities"},
    {37, "Corrections"},   {208, "Custom 1"},
    {209, "Custom 2"},     {210, "Custom 3"},
    {211, "Custom 4"},     {212, "Custom 5"},
    {213, "Custom 6"},     {214, "Custom 7"},
    {215, "Custom 8"},     {216, "Racing Officials"},
    {217, "Racing Teams"},
};

constexpr int k_service_slot_count = 217;

constexpr auto k_service_table = [] {
    std::array<std::string_view, k_service_slot_count + 1> table{};
    for (const auto& slot : k_service_slots) table[static_cast<size_t>(slot.number)] = slot.name;
    return table;
}();

// Alphabetical, as the grid's first-letter picking expects, then the custom and racing types.
constexpr std::string_view k_service_menu[] = {
    "Aircraft",      "Business",
    "Corrections",   "Emergency Ops",
    "EMS Dispatch",  "EMS-Tac",
    "EMS-Talk",      "Federal",
    "Fire Dispatch", "Fire-Tac",
    "Fire-Talk",     "Ham",
    "Hospital",      "Interop",
    "Law Dispatch",  "Law TAC",
    "Law-Talk",      "Media",
    "Military",      "Multi-Dispatch",
    "Multi-TAC",     "Multi-Talk",
    "Other",         "Public Works",
    "Railroad",      "Schools",
    "Security",      "Transportation",
    "Utilities",     "Custom 1",
    "Custom 2",      "Custom 3",
    "Custom 4",      "Custom 5",
    "Custom 6",      "Custom 7",
    "Custom 8",      "Racing Officials",
    "Racing Teams",
};

// The EIA/TIA standard tones plus the later additions that make up the common 50-tone set.
constexpr std::string_view k_ctcss_selection[] = {
    "Search", "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",
    "88.5",   "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8",
    "118.8",  "123.0", "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7",
    "159.8",  "162.2", "165.5", "167.9", "171.3", "173.8", "177.3", "179.9", "183.5",
    "186.2",  "189.9", "192.8", "196.6", "199.5", "203.5", "206.5", "210.7", "218.1",
    "225.7",  "229.1", "233.6", "241.8", "250.3", "254.1",
};
constexpr std::span<const std::string_view> k_ctcss{std::begin(k_ctcss_selection) + 1,
                                                    std::end(k_ctcss_selection)};

// Octal code words of the standard set (the 106-code list without 017 and 050).
constexpr std::string_view k_dcs[] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

static_assert(std::size(k_ctcss_selection) == 51);
static_assert(std::size(k_dcs) == 104);
static_assert(std::size(k_service_menu) == 39);

// Both tables are in numeric order; for tone texts of one decimal (and three-digit codes) that
// is the order by length first, then by character, so they can be searched by halving.
bool shorter_or_before(std::string_view a, std::string_view b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

bool in_sorted_table(std::span<const std::string_view> table, std::string_view code) {
    return std::binary_search(table.begin(), table.end(), code, shorter_or_before);
}

bool is_nac(std::string_view code) {
    if (code.empty() || code.find('.') != std::string_view::npos) return false;
    unsigned value = 0;
    for (char c : code) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        value = value * 16 + static_cast<unsigned>(digit);
        if (value > 4095) return false;
    }
    return true;
}

bool removed_from_alpha_tag(unsigned char c) {
    return (c >= 1 && c <= 20) || c >= 127;
}

// Fields of a group channel file line; lines may carry fewer fields (older grids) or more
// (other models' grids), and a stray line end must not end up inside the last value. The
// converters need at most the first 17 fields, so they are held without allocating.
class LineFields {
  public:
    explicit LineFields(std::string_view line) {
        bool has_line_end =
            std::any_of(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; });
        if (has_line_end) {
            cleaned_ = strip_line_ends(line);
            line = cleaned_;
        }
        size_t start = 0;
        while (count_ < fields_.size()) {
            size_t hit = line.find(',', start);
            fields_[count_++] =
                line.substr(start, hit == std::string_view::npos ? hit : hit - start);
            if (hit == std::string_view::npos) break;
            start = hit + 1;
        }
    }
    std::string_view operator[](size_t n) const {
        return n < count_ ? fields_[n] : std::string_view{};
    }

  private:
    std::string cleaned_;
    std::array<std::string_view, 17> fields_{};
    size_t count_ = 0;
};

void add(std::string& out, std::string_view value) {
    out += '\t';
    out += value;
}

void add_common_tail(std::string& out, const LineFields& f, size_t first) {
    add(out, choose(k_delay_list, f[first]));
    add(out, choose(k_volume_offset_list, f[first + 1]));
    add(out, choose(k_alert_tone_list, f[first + 2]));
    add(out, choose(k_alert_level_list, f[first + 3]));
    add(out, choose(k_alert_light_list, f[first + 4]));
    add(out, choose(k_alert_pattern_list, f[first + 5]));
    add(out, number_tag(f[first + 6]));
    add(out, choose(k_switch_list, f[first + 7]));
}

}  // namespace

const ValueList& switch_list() {
    return k_switch_list;
}
const ValueList& mode_list() {
    return k_mode_list;
}
const ValueList& delay_list() {
    return k_delay_list;
}
const ValueList& volume_offset_list() {
    return k_volume_offset_list;
}
const ValueList& alert_tone_list() {
    return k_alert_tone_list;
}
const ValueList& alert_level_list() {
    return k_alert_level_list;
}
const ValueList& alert_light_list() {
    return k_alert_light_list;
}
const ValueList& alert_pattern_list() {
    return k_alert_pattern_list;
}
const ValueList& audio_type_list() {
    return k_audio_type_list;
}
const ValueList& sq_mode_list() {
    return k_sq_mode_list;
}
const ValueList& audio_type_display_list() {
    return k_audio_type_display_list;
}

std::string number_tag(std::string_view value) {
    // "1000" is how an unset tag came out of older files, so it means "Off", not 999.
    if (value.empty() || value == "None" || value == "Off" || value == "1000") return "Off";
    long long n = lenient_integer(value);
    return std::to_string(std::clamp(n, 0LL, 999LL));
}

std::string_view service_type_at(int n) {
    if (n < 1 || n > k_service_slot_count) return {};
    return k_service_table[static_cast<size_t>(n)];
}

std::string service_type_name(long long n) {
    bool readable = (n >= 1 && n <= 37) || (n >= 208 && n <= k_service_slot_count);
    std::string_view name = readable ? service_type_at(static_cast<int>(n)) : std::string_view{};
    return name.empty() ? std::string("NOT DEFINED") : std::string(name);
}

int service_type_number(std::string_view name, bool talkgroup) {
    if (name.empty()) name = "Custom 1";
    for (const auto& slot : k_service_slots)
        if (slot.name == name) return slot.number;
    return talkgroup ? 6 : 1;
}

std::span<const std::string_view> service_type_menu() {
    return k_service_menu;
}

std::span<const std::string_view> ctcss_tones() {
    return k_ctcss;
}
std::span<const std::string_view> ctcss_selection() {
    return k_ctcss_selection;
}
std::span<const std::string_view> dcs_codes() {
    return k_dcs;
}

std::string clean_alpha_tag(std::string_view text, std::string_view empty_default) {
    if (text.empty()) return std::string(empty_default);
    text = text.substr(0, 64);
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!removed_from_alpha_tag(static_cast<unsigned char>(c))) out += c;
    // A tag of removed characters only is as good as none ("No Tag" for a unit ID, which would
    // otherwise be written empty and read back as "No Tag" only on the next save).
    return out.empty() ? std::string(empty_default) : out;
}

std::string clean_talkgroup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (static_cast<unsigned char>(c) > 41 || c == '\0') out += c;
    // A unit ID typed with a capital I is still a unit ID.
    if (!out.empty() && out[0] == 'I') out[0] = 'i';
    // Separators and letters go; what the scanner takes is digits, "-" and the unit-ID "i".
    std::erase_if(out, [](char c) { return !((c >= '0' && c <= '9') || c == '-' || c == 'i'); });
    if (lenient_integer(out) > 65000) return "65000";
    return out;
}

int classify_tone_code(std::string_view code) {
    if (code.empty()) return 0;
    if (in_sorted_table(k_ctcss, code)) return 1;
    if (in_sorted_table(k_dcs, code)) return 2;
    if (is_nac(code)) return 3;
    return 0;
}

std::string tone_word(std::string_view sq_mode, std::string_view sq_code) {
    if (sq_mode == "None" || sq_mode == "All") return {};
    if (sq_code == "Search") {
        if (sq_mode == "P25") return "NAC=Srch";
        if (sq_mode == "DMR") return "ColorCode=Srch";
        return "TONE=Srch";
    }
    std::string_view code = sq_code;
    std::string_view prefix;
    if (sq_mode != "P25") {
        switch (classify_tone_code(code)) {
            case 0:
                code = {};
                break;
            case 1:
                prefix = "TONE=C";
                break;
            case 2:
                prefix = "TONE=D";
                break;
            default:
                break;
        }
    }
    // The squelch mode has the last word over what the code looked like.
    if (prefix.empty() && !code.empty()) prefix = "TONE=C";
    if (sq_mode == "DCS") prefix = "TONE=D";
    if (sq_mode == "P25") prefix = "NAC=";
    if (sq_mode == "DMR") prefix = "ColorCode=";
    if (prefix.empty()) return {};
    std::string word(prefix);
    word += code;
    return word;
}

std::pair<std::string, std::string> sq_from_tone_word(std::string_view word) {
    struct Rule {
        std::string_view marker;
        std::string_view mode;
        bool search;
    };
    static constexpr Rule k_rules[] = {
        {"TONE=Srch", "CTCSS", true}, {"NAC=Srch", "P25", true}, {"ColorCode=Srch", "DMR", true},
        {"TONE=C", "CTCSS", false},   {"TONE=D", "DCS", false},  {"NAC=", "P25", false},
        {"ColorCode=", "DMR", false},
    };
    std::pair<std::string, std::string> result{"All", ""};
    for (const auto& rule : k_rules) {
        size_t at = word.find(rule.marker);
        if (at == std::string_view::npos) continue;
        if (rule.search) {
            result = {std::string(rule.mode), "Search"};
            continue;
        }
        std::string_view rest = word.substr(at + rule.marker.size());
        if (rest == "Srch") continue;
        result = {std::string(rule.mode), std::string(rest)};
    }
    return result;
}

std::string channel_to_cfreq(std::string_view channel_line) {
    LineFields f(channel_line);
    if (f[1].empty()) return {};
    std::string out;
    out.reserve(channel_line.size() + 64);
    out += "C-Freq\t\t";
    add(out, clean_alpha_tag(f[2]));
    add(out, choose(k_switch_list, f[3]));
    add(out, std::to_string(mhz_to_hz(f[1])));
    add(out, choose(k_mode_list, f[4]));
    add(out, tone_word(f[5], f[6]));
    add(out, std::to_string(service_type_number(f[7], false)));
    add(out, choose(k_switch_list, f[8]));
    add_common_tail(out, f, 9);
    return out;
}

std::string talkgroup_to_tgid(std::string_view talkgroup_line) {
    LineFields f(talkgroup_line);
    // A talkgroup that cleans to nothing is no talkgroup: the scanner would refuse the line and
    // reading it back would give a row that saving then drops.
    std::string talkgroup = clean_talkgroup(f[1]);
    if (talkgroup.empty()) return {};
    std::string out;
    out.reserve(talkgroup_line.size() + 64);
    out += "TGID\t\t";
    add(out, clean_alpha_tag(f[2]));
    add(out, choose(k_switch_list, f[3]));
    add(out, talkgroup);
    add(out, choose(k_audio_type_list, to_upper(f[4])));
    add(out, std::to_string(service_type_number(f[5], true)));
    add_common_tail(out, f, 6);
    add(out, f[14] == "Any" ? "Srch"sv : f[14]);
    return out;
}

}  // namespace tarvex::vocab
