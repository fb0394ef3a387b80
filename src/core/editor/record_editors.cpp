#include "core/editor/record_editors.h"

#include <algorithm>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

namespace {

constexpr std::string_view k_system_type_choices[] = {
    "Conventional", "Motorola",           "Edacs Narrow/Wide", "Edacs Scat", "LTR",
    "P25 Standard", "P25 One Freq Trunk", "P25 X2 TDMA",       "MotoTRBO",   "DMR One Frequency"};
constexpr std::string_view k_modulations[] = {"AUTO", "FM", "NFM"};
constexpr std::string_view k_motorola_bands[] = {"Standard", "Splinter", "Custom/Rebanded"};
constexpr std::string_view k_edacs_bands[] = {"Wide(standard)", "Narrow"};
constexpr std::string_view k_shapes[] = {"Circle", "Rectangles"};
constexpr std::string_view k_steps[] = {
    "5.0",   "6.25", "10.0",  "12.5",  "15.0", "18.75", "20.0",  "25.0",  "30.0",  "31.25", "35.0",
    "37.50", "40.0", "43.75", "45.0",  "50.0", "55.0",  "56.25", "60.0",  "62.50", "65.0",  "68.75",
    "70.0",  "75.0", "80.0",  "81.25", "85.0", "87.50", "90.0",  "93.75", "95.0",  "100.0"};

bool on(std::string_view v) {
    return v == "1" || v == "On";
}
std::string or_text(std::string v, std::string_view fallback) {
    return v.empty() ? std::string(fallback) : v;
}
// Typed text never carries a "," into a record: it would shift every later field.
std::string clean(std::string_view v) {
    return comma_to_semicolon(trim(v));
}

}  // namespace

std::span<const std::string_view> system_type_choices() {
    return k_system_type_choices;
}
std::span<const std::string_view> site_modulation_choices() {
    return k_modulations;
}
std::span<const std::string_view> motorola_band_choices() {
    return k_motorola_bands;
}
std::span<const std::string_view> edacs_band_choices() {
    return k_edacs_bands;
}
std::span<const std::string_view> shape_choices() {
    return k_shapes;
}
std::span<const std::string_view> site_step_list() {
    return k_steps;
}

// ---- system ----

SystemForm show_system(const SystemStore& store, int system) {
    SystemForm f;
    const std::string& line = store.get_node_text(keys::system(system));
    f.type = get_field(line, 1);
    f.system_id = get_field(line, 2);
    f.state = get_field(line, 3);
    f.name = get_field(line, 4);
    f.avoid = on(get_field(line, 5));
    f.date = get_field(line, 6);
    f.file_word = get_field(line, 7);
    f.trunk_switch = on(get_field(line, 8));
    f.alert_tone = or_text(get_field(line, 9), "Off");
    f.alert_level = or_text(get_field(line, 10), "Auto");
    f.status_switch = on(get_field(line, 11));
    f.nac = or_text(get_field(line, 12), "Search");
    auto fields = split(strip_line_ends(line), ',');
    for (size_t i = 13; i < fields.size(); ++i) f.extra.push_back(fields[i]);
    const std::string& fmp = store.get_node_text(keys::fleet_map(system));
    for (int b = 0; b < 8; ++b) f.fleet_map[b] = or_text(get_field(fmp, b + 1), "0");
    return f;
}

std::string system_line(const SystemForm& f) {
    // Field 7 follows a changed type; an unchanged one keeps the word it was read with.
    std::string word = f.file_word;
    if (const SystemTypeInfo* t = system_type_from_name(f.type)) {
        const SystemTypeInfo* by_word = system_type_from_file_word(word);
        bool fits = (by_word && by_word->code == t->code) || to_lower(word) == to_lower(f.type) ||
                    (t->code == 0 && word == "Conventional");
        if (!fits) word = std::string(t->file_word);
    }
    std::vector<std::string> fields = {"SIN",
                                       clean(f.type),
                                       clean(f.system_id),
                                       or_text(clean(f.state), "StateId=0"),
                                       clean(f.name),
                                       f.avoid ? "1" : "0",
                                       clean(f.date),
                                       clean(word)};
    if (f.is_conventional()) {
        fields.insert(fields.end(), 5, "");
    } else {
        fields.push_back(f.trunk_switch ? "1" : "0");
        fields.push_back(or_text(clean(f.alert_tone), "Off"));
        fields.push_back(or_text(clean(f.alert_level), "Auto"));
        fields.push_back(f.status_switch ? "1" : "0");
        fields.push_back(or_text(clean(f.nac), "Search"));
    }
    for (const auto& e : f.extra) fields.push_back(clean(e));
    return join(fields, ',');
}

std::string fleet_map_line(const SystemForm& f) {
    std::string line = "FMP";
    for (const auto& b : f.fleet_map) line += "," + std::to_string(lenient_integer(trim(b)));
    return line == templates::fleet_map_default ? std::string() : line;
}

void save_system(EditingSession& session, int system, const SystemForm& form) {
    EditingSession::Change change(session, "Edit System");
    SystemStore& store = session.store();
    std::string key = keys::system(system);
    if (!store.exists(key)) return;
    // Every click on another node writes the form back; only a real edit counts as a change.
    SystemForm shown = show_system(store, system);
    if (system_line(shown) == system_line(form) && fleet_map_line(shown) == fleet_map_line(form))
        return;
    store.set_node_text(key, system_line(form));
    store.remove_node(keys::fleet_map(system));
    std::string fmp = fleet_map_line(form);
    if (!fmp.empty()) store.add_node(key, keys::fleet_map(system), fmp);
    store.system_slot(system, k_slot_name) = clean(form.name);
    if (const SystemTypeInfo* t = system_type_from_name(form.type))
        store.system_slot(system, k_slot_type_code) = std::to_string(t->code);
    session.mark_changed(system);
    session.request_browser();
}

void default_system(SystemForm& f) {
    f.system_id = "0";
    f.avoid = false;
    f.trunk_switch = false;
    f.status_switch = false;
    f.alert_tone = "Off";
    f.alert_level = "Auto";
    f.nac = "Search";
    f.fleet_map.fill("0");
}

bool delete_system_from_form(EditingSession& session, int system) {
    if (session.prompter().ask(
            {std::string(k_delete_system_question_1), "If not saved, data is lost!", "Continue?"},
            "Warning", Buttons::YesNoCancel) != Answer::Yes)
        return false;
    return session.remove_system(system);
}

// ---- site ----

namespace {

Bandplan bandplan_from_line(std::string_view line) {
    Bandplan plan;
    for (int r = 0; r < k_bandplan_rows; ++r) {
        plan[r].lower = get_field(line, 2 + r * 4);
        plan[r].upper = get_field(line, 3 + r * 4);
        plan[r].step = get_field(line, 4 + r * 4);
        plan[r].offset = get_field(line, 5 + r * 4);
    }
    return plan;
}

std::string edge(std::string_view text) {
    long long hz = mhz_to_hz(trim(text));
    return hz == 0 ? "0" : hz_to_mhz(hz);
}

void fill_row(BandplanRow& row, std::string_view lower, std::string_view upper,
              std::string_view offset) {
    row = {std::string(lower), std::string(upper), "25.0", std::string(offset)};
}

}  // namespace

SiteForm show_site(const SystemStore& store, int system, int site) {
    SiteForm f;
    std::string key = keys::site(system, site);
    const std::string& line = store.get_node_text(key);
    f.name = get_field(line, 4);
    f.avoid = on(get_field(line, 5));
    f.latitude = get_field(line, 6);
    f.longitude = get_field(line, 7);
    f.range = get_field(line, 8);
    f.modulation = or_text(get_field(line, 9), "AUTO");
    f.motorola_band = or_text(get_field(line, 10), "Standard");
    f.edacs_band = or_text(get_field(line, 11), "Wide(standard)");
    f.shape = or_text(get_field(line, 12), "Circle");
    f.attenuator = on(get_field(line, 13));

    std::vector<std::string> tfq;
    for (const auto& child : store.child_keys(key))
        if (starts_with(child, "TFQ-")) tfq.push_back(store.get_node_text(child));
    int rows = std::max<int>(k_min_grid_rows, static_cast<int>(tfq.size()) + 2);
    f.frequencies.reset(rows, 4);
    f.frequencies.at(0, 0) = "#";
    for (int c = 0; c < 3; ++c)
        f.frequencies.at(0, c + 1) = std::string(k_site_frequency_titles[c]);
    for (size_t i = 0; i < tfq.size(); ++i)
        for (int c = 1; c <= 3; ++c)
            f.frequencies.at(static_cast<int>(i) + 1, c) = get_field(tfq[i], c);
    f.frequencies.number_rows();

    const std::string& plan = store.get_node_text(keys::bandplan(system, site));
    f.bandplan = bandplan_from_line(plan.empty() ? templates::bandplan_default : plan);
    return f;
}

std::string site_line(const SiteForm& f) {
    return "SIF,Site,SiteId=0,TrunkId=0," + clean(f.name) + (f.avoid ? ",On," : ",Off,") +
           clean(f.latitude) + "," + clean(f.longitude) + "," + clean(f.range) + "," +
           or_text(clean(f.modulation), "AUTO") + "," +
           or_text(clean(f.motorola_band), "Standard") + "," +
           or_text(clean(f.edacs_band), "Wide(standard)") + "," +
           or_text(clean(f.shape), "Circle") + "," + (f.attenuator ? "1" : "0");
}

std::string bandplan_line(const Bandplan& plan) {
    std::string line = "MCP,type";
    for (const auto& row : plan) {
        std::string offset = trim(row.offset);
        line += "," + edge(row.lower) + "," + edge(row.upper) + "," +
                or_text(clean(row.step), "25.0") + "," +
                (offset.empty() ? "0" : std::to_string(lenient_integer(offset)));
    }
    return line;
}

std::vector<std::string> site_frequency_lines(const TextGrid& grid) {
    std::vector<std::string> lines;
    for (int r = 1; r < grid.rows(); ++r) {
        auto cell = [&](int c) { return c < grid.cols() ? clean(grid.at(r, c)) : std::string(); };
        std::string frequency = cell(1);
        if (frequency.empty()) continue;
        lines.push_back("TFQ," + frequency + "," + cell(2) + "," + cell(3));
    }
    return lines;
}

void save_site(EditingSession& session, int system, int site, const SiteForm& form) {
    EditingSession::Change change(session, "Edit Site");
    SystemStore& store = session.store();
    std::string key = keys::site(system, site);
    if (!store.exists(key)) return;
    SiteForm shown = show_site(store, system, site);
    if (site_line(shown) == site_line(form) &&
        bandplan_line(shown.bandplan) == bandplan_line(form.bandplan) &&
        site_frequency_lines(shown.frequencies) == site_frequency_lines(form.frequencies))
        return;
    store.set_node_text(key, site_line(form));
    std::string plan_key = keys::bandplan(system, site);
    std::string plan = bandplan_line(form.bandplan);
    if (!store.set_node_text(plan_key, plan)) store.add_node(keys::system(system), plan_key, plan);
    // Dropped and added again so the store order of the frequencies is the grid order; the
    // site itself keeps its place among its system's sites.
    for (const std::string& child : store.child_keys(key)) store.remove_node(child);
    int n = 0;
    for (auto& line : site_frequency_lines(form.frequencies))
        store.add_node(key, keys::site_frequency(system, site, ++n), std::move(line));
    session.mark_changed(system);
    session.request_browser();
}

void default_bandplan(Bandplan& plan) {
    for (auto& row : plan) row = {"", "", "", ""};
    fill_row(plan[0], "851.025", "854.000", "440");
    fill_row(plan[1], "851.0125", "868.9875", "0");
}

Bandplan preset_bandplan_five() {
    Bandplan plan;
    for (auto& row : plan) row = {"", "", "", ""};
    fill_row(plan[0], "851.0125", "868.9875", "0");
    fill_row(plan[1], "866.0000", "866.9750", "720");
    fill_row(plan[2], "867.0000", "867.4000", "815");
    fill_row(plan[3], "867.4250", "868.9500", "961");
    fill_row(plan[4], "868.9750", "868.9750", "958");
    return plan;
}

Bandplan preset_bandplan_six() {
    Bandplan plan;
    fill_row(plan[0], "851.0000", "865.9750", "0");
    fill_row(plan[1], "866.0125", "868.9875", "600");
    fill_row(plan[2], "866.0000", "866.9750", "720");
    fill_row(plan[3], "867.0000", "867.4000", "815");
    fill_row(plan[4], "867.4250", "868.9500", "961");
    fill_row(plan[5], "868.9750", "868.9750", "958");
    return plan;
}

bool delete_site_from_form(EditingSession& session, int system, int site) {
    if (session.prompter().ask({std::string(k_delete_site_question)}, "Warning",
                               Buttons::YesNoCancel) != Answer::Yes)
        return false;
    return session.remove_site(system, site);
}

// ---- group header ----

GroupHeaderForm show_group_header(const SystemStore& store, int system, int group) {
    GroupHeaderForm f;
    const std::string& line = store.get_node_text(keys::group(system, group));
    f.name = get_field(line, 4);
    f.lockout = on(get_field(line, 5));
    f.latitude = get_field(line, 6);
    f.longitude = get_field(line, 7);
    f.range = get_field(line, 8);
    return f;
}

std::string group_header_line(const GroupHeaderForm& f) {
    std::string name = clean(f.name);
    if (name.size() > k_max_name_chars) name.resize(k_max_name_chars);
    return "GIN,C-Group,CGroupId=0,AgencyId=0," + name + (f.lockout ? ",On," : ",Off,") +
           clean(f.latitude) + "," + clean(f.longitude) + "," + clean(f.range) + ",Circle";
}

void save_group_header(EditingSession& session, int system, int group,
                       const GroupHeaderForm& form) {
    EditingSession::Change change(session, "Edit Group");
    SystemStore& store = session.store();
    std::string key = keys::group(system, group);
    if (!store.exists(key)) return;
    std::string line = group_header_line(form);
    if (group_header_line(show_group_header(store, system, group)) == line) return;
    store.set_node_text(key, std::move(line));
    session.mark_changed(system);
    session.request_browser();
}

void default_group_header(GroupHeaderForm& f, int group) {
    f.name = "Department " + std::to_string(group);
    f.latitude = "0.00";
    f.longitude = "-0.00";
    f.range = "0";
}

std::string name_counter_text(std::string_view name) {
    return "# chars: " + std::to_string(name.size());
}

}  // namespace tarvex
