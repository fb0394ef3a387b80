#pragma once
// Motorola custom and P25 bandplans as the "Motorola Custom Plan:" and "Motorola P25 Plan:"
// dialogs edit them: six rows of lower edge, upper edge (MHz), step (kHz) and offset (the row's
// first channel number). Channel n of a row with Offset <= n is on Lower + (n - Offset) * Step.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvex::bandplan {

struct Row {
    std::string lower, upper;   // MHz; an empty lower marks an unused row
    std::string step = "25.0";  // kHz, as the step list shows it
    std::string offset;
};
inline constexpr int k_rows = 6;
using Plan = std::array<Row, k_rows>;

inline constexpr int k_preset_step_position = 8;  // "25.0" in the Motorola step list
inline constexpr std::string_view k_closing_offset = "760";
inline constexpr int k_offset_limit = 1024;
inline constexpr std::string_view k_offset_range_caption = "Offset range:  - 1024 to 1024.";
inline constexpr std::string_view k_all_sites_question =
    "This may overwrite existing bandplan data. Continue?";

// "2.5", "5.0", ..., "100.0" (33 entries); the P25 list is the same without "2.5".
std::span<const std::string_view> motorola_step_list();
std::span<const std::string_view> p25_step_list();

enum class Preset { Rebanded, Standard800, Splinter800 };
// "Rebanded", "Standard 800", "Splinter 800"; and from the command line's rebanded,
// standard800, splinter800.
std::string_view preset_caption(Preset preset);
std::optional<Preset> preset_from_name(std::string_view name);

// Empties every lower, upper and offset; the steps stay.
void clear_plan(Plan& plan);
// Clears the plan, then fills the preset's rows, each with step "25.0". Steps of the rows the
// preset leaves empty stay as they were.
void apply_preset(Plan& plan, Preset preset);

// "Calculate Upper for VHF/UHF systems": every row with a lower edge and no upper edge gets
// Upper = Lower + (Offset(next) - 1 - Offset) * Step / 1000, an empty next offset counting as
// the closing channel 760. Typed uppers are kept; the last row is never computed; rows without
// a lower edge end with an empty offset. Text that is not a number reads as 0.
void calculate_upper(Plan& plan);

// The frequency normalisation of typed frequencies: MHz with at least four decimals
// ("851.0125", "136.0000"); a whole number of more than six digits is taken as Hz. "" stays "".
std::string normalize_frequency(std::string_view text);

// "Ok" of the Motorola dialog: the upper-edge calculation, then every non-empty edge
// normalised. The result is what goes back to the site editor.
Plan motorola_write_back(Plan plan);
// "Ok" of the P25 dialog: every non-empty base frequency (the lower edge) normalised.
Plan p25_write_back(Plan plan);

// Key filters of the edge boxes (digits, "." and Enter) and the offset boxes (digits, "-" and
// Enter). Control keys such as Backspace are the widget's business, not filtered here.
bool accepts_frequency_key(char key);
bool accepts_offset_key(char key);

// The command line's row form "LOWER:UPPER:STEP:OFFSET" (any field may be empty).
std::optional<Row> parse_row(std::string_view text);
std::string format_row(const Row& row);

}  // namespace tarvex::bandplan
