#include "core/editor/bulk_edit.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_columns.h"
#include "core/location/distance.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

namespace tarvex {

namespace {

grid::GridKind grid_kind(BulkKind kind) {
    return kind == BulkKind::Channels ? grid::GridKind::Channel : grid::GridKind::Talkgroup;
}

std::string_view scratch_kind(BulkKind kind) {
    return kind == BulkKind::Channels ? "FRQ-" : "TID-";
}

bool system_fits(const SystemStore& store, int system, BulkKind kind) {
    const std::string& code = store.system_type_code(system);
    if (code.empty() || !store.exists(keys::system(system))) return false;
    return (code == "0") == (kind == BulkKind::Channels);
}

// Row number of a channel-file line (field 0), 0 when it is not one.
int row_of_line(std::string_view line) {
    auto n = parse_integer(get_field_plain(line, 0));
    return n && *n > 0 ? static_cast<int>(*n) : 0;
}

struct Place {
    double lat = 0, lon = 0;
    bool set = false;
};

Place place_of(const std::string& record, int lat_field, int lon_field) {
    Place p;
    std::string lat = get_field(record, lat_field), lon = get_field(record, lon_field);
    if (trim(lat).empty() || trim(lon).empty()) return p;
    p.lat = lenient_number(lat);
    p.lon = lenient_number(lon);
    p.set = !location::is_unset(p.lat, p.lon);
    return p;
}

}  // namespace

std::vector<BulkSetting> bulk_settings(BulkKind kind) {
    std::vector<BulkSetting> out;
    for (const BulkSetting& s : k_bulk_settings)
        if (s.field(kind) > 0) out.push_back(s);
    return out;
}

const BulkSetting* find_bulk_setting(BulkKind kind, std::string_view caption) {
    for (const BulkSetting& s : k_bulk_settings)
        if (s.caption == caption && s.field(kind) > 0) return &s;
    return nullptr;
}

std::vector<std::string> bulk_setting_values(BulkKind kind, std::string_view caption) {
    const BulkSetting* s = find_bulk_setting(kind, caption);
    if (!s) return {};
    const grid::ColumnSpec* colspec = grid::column_spec(grid_kind(kind), s->field(kind));
    if (!colspec) return {};
    return {colspec->values.begin(), colspec->values.end()};
}

std::vector<BulkSystemChoice> bulk_system_choices(const SystemStore& store, BulkKind kind) {
    std::vector<BulkSystemChoice> out{{0, std::string(k_all_systems)}};
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id)) {
        const std::string& key = store.key_of(id);
        if (!starts_with(key, "SYS-")) continue;
        int s = keys::system_of(key);
        if (!system_fits(store, s, kind)) continue;
        const std::string& line = store.text_of(id);
        out.push_back({s, get_field(line, 4) + "  (" + get_field(line, 1) + ")"});
    }
    return out;
}

std::string bulk_key(BulkKind kind, int system, int group, int row) {
    return std::string(scratch_kind(kind)) + fmt3(system) + "-" + fmt3(group) + "-" + fmt4(row);
}

int BulkLine::system() const {
    return keys::number_at(key, 5);
}
int BulkLine::group() const {
    return keys::number_at(key, 9);
}
int BulkLine::row() const {
    return keys::number_at(key, 13, 4);
}

std::vector<BulkLine> bulk_fill_list(const GroupFiles& files, const SystemStore& store,
                                     BulkKind kind, int system, Prompter& prompter) {
    std::vector<BulkLine> out;
    std::unordered_map<int, bool> fits;
    auto conventional = [&store](int s) { return store.system_type_code(s) == "0"; };
    for (ScratchEntry& e : files.laad_van_tempie(scratch_kind(kind), prompter, conventional)) {
        BulkLine line{std::move(e.key), std::move(e.text)};
        const int s = line.system();
        if (system != 0 && s != system) continue;
        auto it = fits.find(s);
        if (it == fits.end()) it = fits.emplace(s, system_fits(store, s, kind)).first;
        if (!it->second) continue;
        if (!store.exists(keys::group(s, line.group()))) continue;
        out.push_back(std::move(line));
    }
    return out;
}

BulkLineDetails bulk_line_details(const SystemStore& store, const BulkLine& line) {
    BulkLineDetails d;
    const int s = line.system();
    d.system = get_field(store.get_node_text(keys::system(s)), 4);
    d.quick_key = store.system_slot(s, k_slot_quick_key);
    d.group = get_field(store.get_node_text(keys::group(s, line.group())), 4);
    // Trunked groups hang below the system, not below a site: name the system's sites.
    std::vector<std::string> sites;
    for (const auto& k : store.child_keys(keys::system(s)))
        if (starts_with(k, "SIT-")) sites.push_back(get_field(store.get_node_text(k), 4));
    for (const auto& k : store.child_keys(keys::sites_folder(s)))
        if (starts_with(k, "SIT-")) sites.push_back(get_field(store.get_node_text(k), 4));
    if (sites.size() == 1)
        d.site = sites.front();
    else if (sites.size() > 1)
        d.site = sites.front() + " (+" + std::to_string(sites.size() - 1) + ")";
    d.value = get_field(line.text, 1);
    d.tag = get_field(line.text, 2);
    return d;
}

std::string bulk_line_caption(const SystemStore& store, const BulkLine& line) {
    BulkLineDetails d = bulk_line_details(store, line);
    return d.system + " / " + d.group + ": " + d.value + "  " + d.tag;
}

BulkResult bulk_apply(GroupFiles& files, BulkKind kind, const std::vector<BulkLine>& ticked,
                      const std::vector<std::pair<std::string, std::string>>& settings,
                      Prompter& prompter) {
    BulkResult result;
    if (ticked.empty()) {
        prompter.tell(k_select_channels);
        return result;
    }
    if (settings.empty()) {
        prompter.tell(k_select_item);
        return result;
    }
    // Every value is checked before the first file is touched, so a refusal changes nothing.
    std::vector<std::pair<int, std::string>> fields;
    for (const auto& [caption, value] : settings) {
        const BulkSetting* s = find_bulk_setting(kind, caption);
        if (!s) {
            prompter.tell("\"" + caption + "\" is not a setting of " +
                          (kind == BulkKind::Channels ? "channels." : "talkgroups."));
            return result;
        }
        auto values = bulk_setting_values(kind, caption);
        if (std::find(values.begin(), values.end(), value) == values.end()) {
            prompter.tell("\"" + value + "\" is not a value of " + caption + ".");
            return result;
        }
        fields.emplace_back(s->field(kind), value);
    }

    // Rows to change per group file; the list order of the lines is kept for the report.
    std::map<std::pair<int, int>, std::set<int>> by_file;
    for (const BulkLine& l : ticked) by_file[{l.system(), l.group()}].insert(l.row());

    std::map<std::tuple<int, int, int>, BulkChange> changed;
    for (const auto& entry : by_file) {
        // Named copies, not structured bindings: lambdas capture those only from C++20
        // compilers newer than some still in use (clang before 16).
        const int system = entry.first.first, group = entry.first.second;
        const auto& rows = entry.second;
        bool ok = files.rewrite(system, group, [&](std::string_view line) {
            std::string text(line);
            const int row = row_of_line(text);
            if (row == 0 || !rows.count(row)) return text;
            std::string after = text;
            for (const auto& [field, value] : fields) after = set_field(after, field, value);
            if (after != text) changed[{system, group, row}] = {system, group, row, text, after};
            return after;
        });
        if (!ok) {
            result.write_failed = true;
            // Rows of a file that could not be rewritten kept their text.
            for (auto it = changed.begin(); it != changed.end();)
                it = std::get<0>(it->first) == system && std::get<1>(it->first) == group
                         ? changed.erase(it)
                         : std::next(it);
        }
    }
    if (result.write_failed)
        prompter.tell("A group's channel file could not be rewritten; its lines are unchanged.",
                      "Warning");

    std::set<std::tuple<int, int, int>> reported;
    for (const BulkLine& l : ticked) {
        auto k = std::tuple{l.system(), l.group(), l.row()};
        auto it = changed.find(k);
        if (it == changed.end() || !reported.insert(k).second) continue;
        result.changes.push_back(it->second);
    }
    result.applied = !result.changes.empty() || !result.write_failed;
    return result;
}

std::string bulk_changed_text(int lines_changed) {
    return "Lines changed: " + std::to_string(lines_changed);
}

HomeLocation read_home_location(const Settings& settings) {
    HomeLocation home;
    std::string lat = settings.GetSetting("gps", "home_lat", "x");
    std::string lon = settings.GetSetting("gps", "home_long", "x");
    std::string range = settings.GetSetting("gps", "home_range", "25x");
    if (trim(range).empty()) range = "25";
    home.range = lenient_number(replace_all(range, ",", "."));
    if (trim(lat).empty() || trim(lon).empty()) return home;
    home.latitude = lenient_number(replace_all(lat, ",", "."));
    home.longitude = lenient_number(replace_all(lon, ",", "."));
    home.set = !location::is_unset(home.latitude, home.longitude);
    return home;
}

std::vector<bool> bulk_select_by_distance(const SystemStore& store,
                                          const std::vector<BulkLine>& lines,
                                          const HomeLocation& home) {
    std::vector<bool> out(lines.size(), false);
    if (!home.set) return out;
    auto near = [&](const Place& p) {
        return p.set &&
               location::within_range(home.latitude, home.longitude, home.range, p.lat, p.lon);
    };
    // Decided once per group: thousands of lines share a few groups.
    std::map<std::pair<int, int>, bool> decided;
    std::map<int, bool> site_near;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int s = lines[i].system(), g = lines[i].group();
        auto it = decided.find({s, g});
        if (it == decided.end()) {
            bool hit = false;
            Place gp = place_of(store.get_node_text(keys::group(s, g)), 6, 7);
            if (gp.set) {
                hit = near(gp);
            } else if (!store.is_conventional(s)) {
                auto sn = site_near.find(s);
                if (sn == site_near.end()) {
                    bool any = false;
                    for (auto id = store.first_in_store(); id != SystemStore::npos && !any;
                         id = store.next_in_store(id)) {
                        const std::string& key = store.key_of(id);
                        if (starts_with(key, "SIT-") && keys::system_of(key) == s)
                            any = near(place_of(store.text_of(id), 6, 7));
                    }
                    sn = site_near.emplace(s, any).first;
                }
                hit = sn->second;
            }
            it = decided.emplace(std::pair{s, g}, hit).first;
        }
        out[i] = it->second;
    }
    return out;
}

}  // namespace tarvex
