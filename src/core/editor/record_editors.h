#pragma once
// The record editors: system (and department) form, site form with its frequency grid and
// custom bandplan, and the group header of the grid editor. Each form is a plain struct the
// window binds its widgets to; `show_*` fills it from the store, `save_*` turns it back into
// record lines and writes them, setting the unsaved-changes flag. Typed names never carry a
// ",", which would shift every later field of the record: it is stored as ";".
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/text_grid.h"

namespace tarvex {

class EditingSession;
class SystemStore;

// ---- system and department forms ----

struct SystemForm {
    std::string type;       // field 1: "Conventional", "Motorola", ...
    std::string system_id;  // field 2
    std::string state;      // field 3: "StateId=..." as stored
    std::string name;       // field 4
    bool avoid = false;     // field 5: "1"/"0"
    std::string date;       // field 6
    std::string file_word;  // field 7: kept as shown; follows the type when the type changes
    // Trunk options, fields 8-12; conventional systems store them empty.
    bool trunk_switch = false;
    std::string alert_tone = "Off";
    std::string alert_level = "Auto";
    bool status_switch = false;
    std::string nac = "Search";
    std::vector<std::string> extra;  // fields 13.. of the shown line, kept as they were
    std::array<std::string, 8> fleet_map{"0", "0", "0", "0", "0", "0", "0", "0"};

    bool is_conventional() const { return type == "Conventional"; }
    bool is_motorola() const { return type == "Motorola"; }
};

// The system types the type drop-down offers, in order.
std::span<const std::string_view> system_type_choices();

SystemForm show_system(const SystemStore& store, int system);
// The SIN line of the form (fields 0-12 in record order, then the kept extra fields).
std::string system_line(const SystemForm& form);
// "FMP," + the eight codes, or "" when every code is 0 (an empty fleet map is not stored).
std::string fleet_map_line(const SystemForm& form);
// Writes SYS-sss, drops FMP-sss-000 and adds it again unless the fleet map is empty, updates
// the side table's name and type code, marks the session changed and asks for a browser rebuild
// (the system's browser text follows its name). The department form saves the same way.
void save_system(EditingSession& session, int system, const SystemForm& form);
// "Default": switches "Off", numbers "0" (alert tone "Off", alert level "Auto", NAC "Search",
// fleet map all 0); name, type and date stay.
void default_system(SystemForm& form);

inline constexpr std::string_view k_delete_system_question_1 =
    "This will delete the selected System from the browser.";
// The system form's "Delete" button: the question, then the system goes. False when not
// deleted.
bool delete_system_from_form(EditingSession& session, int system);

// ---- site form ----

struct BandplanRow {
    std::string lower, upper;   // MHz
    std::string step = "25.0";  // kHz, one of site_step_list()
    std::string offset = "0";
};
inline constexpr int k_bandplan_rows = 6;
using Bandplan = std::array<BandplanRow, k_bandplan_rows>;

struct SiteForm {
    std::string name;
    bool avoid = false;  // "On"/"Off"
    std::string latitude, longitude, range;
    std::string modulation = "AUTO";            // "AUTO", "FM", "NFM"
    std::string motorola_band = "Standard";     // "Standard", "Splinter", "Custom/Rebanded"
    std::string edacs_band = "Wide(standard)";  // "Wide(standard)", "Narrow"
    std::string shape = "Circle";               // "Circle", "Rectangles"
    bool attenuator = false;                    // "1"/"0"
    // The site-frequency grid: row 0 the header, column 0 the row number, columns 1-3
    // Frequency, LCN, ColorCode (rows in the order the user left them).
    TextGrid frequencies;
    Bandplan bandplan;
};

// Value lists of the site form's drop-downs.
std::span<const std::string_view> site_modulation_choices();
std::span<const std::string_view> motorola_band_choices();
std::span<const std::string_view> edacs_band_choices();
std::span<const std::string_view> shape_choices();
// Steps in kHz: "5.0", "6.25", ..., "100.0" (32 entries; "25.0" at position 7).
std::span<const std::string_view> site_step_list();
inline constexpr std::array<std::string_view, 3> k_site_frequency_titles = {"Frequency", "LCN",
                                                                            "ColorCode"};

SiteForm show_site(const SystemStore& store, int system, int site);
std::string site_line(const SiteForm& form);
// "MCP,type," + 24 values row by row (lower, upper, step, offset); edges with four decimals,
// empty values "0", an empty step "25.0".
std::string bandplan_line(const Bandplan& plan);
// The TFQ lines of the grid rows whose Frequency is not empty, in grid order.
std::vector<std::string> site_frequency_lines(const TextGrid& frequencies);
// Writes SIT-sss-ttt and MCP-sss-ttt, rebuilds the site's TFQ children from the grid, marks the
// session changed.
void save_site(EditingSession& session, int system, int site, const SiteForm& form);
// "Default" of the bandplan: the two-row plan whatever the band type; the other rows cleared.
void default_bandplan(Bandplan& plan);
// The two further preset plans (five and six rows), offered by band type in the window if at
// all.
Bandplan preset_bandplan_five();
Bandplan preset_bandplan_six();

inline constexpr std::string_view k_delete_site_question =
    "This will delete the current site, data will be lost! Continue?";
bool delete_site_from_form(EditingSession& session, int system, int site);

// ---- group header of the grid editor ----

struct GroupHeaderForm {
    std::string name;
    bool lockout = false;
    std::string latitude, longitude, range;
};
inline constexpr size_t k_max_name_chars = 64;

GroupHeaderForm show_group_header(const SystemStore& store, int system, int group);
// "GIN,C-Group,CGroupId=0,AgencyId=0," + name + ",Off," / ",On," + lat + "," + lon + "," +
// range + ",Circle" (name: "," -> ";", at most 64 characters).
std::string group_header_line(const GroupHeaderForm& form);
// Replaces GRP-999-sss-ggg and marks the session changed (the grid editor saves the rows
// itself).
void save_group_header(EditingSession& session, int system, int group, const GroupHeaderForm& form);
// "Default": name "Department " + group index, latitude "0.00", longitude "-0.00", range "0".
void default_group_header(GroupHeaderForm& form, int group);
// The counter beside the name box: "# chars: " + length.
std::string name_counter_text(std::string_view name);

}  // namespace tarvex
