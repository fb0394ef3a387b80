#include "core/bandplan/bandplan.h"

#include <array>

#include "core/base/text.h"

namespace tarvex::bandplan {

namespace {

constexpr std::array<std::string_view, 33> k_motorola_steps = {
    "2.5",   "5.0",   "6.25",  "10.0",  "12.5",  "15.0",  "18.75", "20.0", "25.0",
    "30.0",  "31.25", "35.0",  "37.50", "40.0",  "43.75", "45.0",  "50.0", "55.0",
    "56.25", "60.0",  "62.50", "65.0",  "68.75", "70.0",  "75.0",  "80.0", "81.25",
    "85.0",  "87.50", "90.0",  "93.75", "95.0",  "100.0"};

struct PresetRow {
    std::string_view lower, upper, offset;
};

constexpr PresetRow k_rebanded[] = {{"851.025", "854.000", "440"}, {"851.0125", "868.9875", "0"}};
constexpr PresetRow k_standard[] = {{"851.0125", "868.9875", "0"},
                                    {"866.0000", "866.9750", "720"},
                                    {"867.0000", "867.4000", "815"},
                                    {"867.4250", "868.9500", "961"},
                                    {"868.9750", "868.9750", "958"}};
constexpr PresetRow k_splinter[] = {
    {"851.0000", "865.9750", "0"},   {"866.0125", "868.9875", "600"},
    {"866.0000", "866.9750", "720"}, {"867.0000", "867.4000", "815"},
    {"867.4250", "868.9500", "961"}, {"868.9750", "868.9750", "958"}};

std::span<const PresetRow> preset_rows(Preset p) {
    switch (p) {
        case Preset::Rebanded:
            return k_rebanded;
        case Preset::Standard800:
            return k_standard;
        case Preset::Splinter800:
            return k_splinter;
    }
    return {};
}

bool blank(std::string_view s) {
    return trim(s).empty();
}

}  // namespace

std::span<const std::string_view> motorola_step_list() {
    return k_motorola_steps;
}

std::span<const std::string_view> p25_step_list() {
    return std::span<const std::string_view>(k_motorola_steps).subspan(1);
}

std::string_view preset_caption(Preset preset) {
    switch (preset) {
        case Preset::Rebanded:
            return "Rebanded";
        case Preset::Standard800:
            return "Standard 800";
        case Preset::Splinter800:
            return "Splinter 800";
    }
    return {};
}

std::optional<Preset> preset_from_name(std::string_view name) {
    std::string n = replace_all(to_lower(trim(name)), " ", "");
    if (n == "rebanded") return Preset::Rebanded;
    if (n == "standard800") return Preset::Standard800;
    if (n == "splinter800") return Preset::Splinter800;
    return std::nullopt;
}

void clear_plan(Plan& plan) {
    for (Row& r : plan) r.lower.clear(), r.upper.clear(), r.offset.clear();
}

void apply_preset(Plan& plan, Preset preset) {
    clear_plan(plan);
    auto rows = preset_rows(preset);
    for (size_t i = 0; i < rows.size() && i < plan.size(); ++i) {
        plan[i].lower = std::string(rows[i].lower);
        plan[i].upper = std::string(rows[i].upper);
        plan[i].offset = std::string(rows[i].offset);
        plan[i].step = std::string(k_motorola_steps[k_preset_step_position]);
    }
}

void calculate_upper(Plan& plan) {
    for (int i = 0; i < k_rows; ++i) {
        Row& row = plan[static_cast<size_t>(i)];
        if (blank(row.lower)) row.offset = std::string(k_closing_offset);
        if (!blank(row.upper) || i + 1 >= k_rows) continue;
        Row& next = plan[static_cast<size_t>(i) + 1];
        if (blank(next.offset)) next.offset = std::string(k_closing_offset);
        if (blank(row.lower)) continue;
        // Whole Hz, so 136 + 379 x 12.5 kHz is exactly 140.7375 and not 140.73749999.
        long long channels = lenient_integer(next.offset) - 1 - lenient_integer(row.offset);
        long long step_hz = decimal_to_scaled(trim(row.step), 3);
        long long upper_hz = mhz_to_hz(trim(row.lower)) + channels * step_hz;
        row.upper = hz_to_mhz(upper_hz);
    }
    for (Row& row : plan)
        if (blank(row.lower)) row.offset.clear();
}

std::string normalize_frequency(std::string_view text) {
    std::string t = trim(text);
    if (t.empty()) return {};
    bool whole = t.find('.') == std::string::npos;
    long long hz = (whole && t.size() > 6) ? lenient_integer(t) : mhz_to_hz(t);
    return hz_to_mhz(hz);
}

Plan motorola_write_back(Plan plan) {
    calculate_upper(plan);
    for (Row& row : plan) {
        if (!blank(row.lower)) row.lower = normalize_frequency(row.lower);
        if (!blank(row.upper)) row.upper = normalize_frequency(row.upper);
    }
    return plan;
}

Plan p25_write_back(Plan plan) {
    for (Row& row : plan)
        if (!blank(row.lower)) row.lower = normalize_frequency(row.lower);
    return plan;
}

bool accepts_frequency_key(char key) {
    return (key >= '0' && key <= '9') || key == '.' || key == '\r' || key == '\n';
}

bool accepts_offset_key(char key) {
    return (key >= '0' && key <= '9') || key == '-' || key == '\r' || key == '\n';
}

std::optional<Row> parse_row(std::string_view text) {
    std::vector<std::string> f = split(text, ':');
    if (f.size() != 4) return std::nullopt;
    Row r;
    r.lower = trim(f[0]);
    r.upper = trim(f[1]);
    r.step = trim(f[2]);
    r.offset = trim(f[3]);
    return r;
}

std::string format_row(const Row& row) {
    return row.lower + ":" + row.upper + ":" + row.step + ":" + row.offset;
}

}  // namespace tarvex::bandplan
