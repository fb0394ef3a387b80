#pragma once
// "Bulk Channel Edit": one or more settings of many channels or talkgroups at once, across
// groups and systems, without opening the groups in the grid editor. The window lists the lines
// of one system or of all, the user ticks lines and settings, and Apply rewrites the ticked
// lines in their group channel files. Every decision of that window lives here; it only shows.
//
// A whole bulk edit reports what it changed line by line (before and after); the window runs it
// inside one step of the session's undo history.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvex {

class GroupFiles;
class Prompter;
class Settings;
class SystemStore;

enum class BulkKind { Channels, Talkgroups };

// A setting the window offers, with the field of the channel or talkgroup line it writes
// (0: not offered for that kind).
struct BulkSetting {
    std::string_view caption;
    int channel_field;
    int talkgroup_field;
    int field(BulkKind kind) const {
        return kind == BulkKind::Channels ? channel_field : talkgroup_field;
    }
};

inline constexpr BulkSetting k_bulk_settings[] = {
    {"Mode", 4, 0},           {"SQ Mode", 5, 0},     {"Service Type", 7, 5},
    {"AudioType", 0, 4},      {"Attenuator", 8, 0},  {"Delay Time", 9, 6},
    {"Volume Offset", 10, 7}, {"Alert Tone", 11, 8}, {"Alert Level", 12, 9},
};

// The settings of a kind, in the window's order.
std::vector<BulkSetting> bulk_settings(BulkKind kind);
const BulkSetting* find_bulk_setting(BulkKind kind, std::string_view caption);
// The values a setting's list offers (the grid's drop-down for that column).
std::vector<std::string> bulk_setting_values(BulkKind kind, std::string_view caption);

inline constexpr std::string_view k_all_systems = "   < All Systems >";
inline constexpr std::string_view k_select_channels = "Please select one or more channels";
inline constexpr std::string_view k_select_item = "Please select which item to change.";

// One entry of the system drop-down; system 0 is "   < All Systems >".
struct BulkSystemChoice {
    int system = 0;
    std::string label;
};
// "   < All Systems >" first, then every system of the kind (conventional systems for channels,
// trunked ones for talkgroups) in store order, shown as "name  (type)".
std::vector<BulkSystemChoice> bulk_system_choices(const SystemStore& store, BulkKind kind);

// One line of the list: the scratch key "FRQ-sss-ggg-nnnn" / "TID-sss-ggg-nnnn" and the line.
struct BulkLine {
    std::string key;
    std::string text;
    int system() const;
    int group() const;
    int row() const;
};
// The scratch key of a line: "FRQ-012-005-0003".
std::string bulk_key(BulkKind kind, int system, int group, int row);

// The lines of the chosen system (0 = all systems) from the scratch-tree load of the kind, in
// file order. The load stops at its limit with "error, temp memory is full"; the lines loaded
// so far are listed. Lines of systems that are not of the kind are left out.
std::vector<BulkLine> bulk_fill_list(const GroupFiles& files, const SystemStore& store,
                                     BulkKind kind, int system, Prompter& prompter);

// What the window shows for the line in focus.
struct BulkLineDetails {
    std::string system, site, quick_key, group, value, tag;
};
BulkLineDetails bulk_line_details(const SystemStore& store, const BulkLine& line);
// The list's text for a line: "system / group: value  tag".
std::string bulk_line_caption(const SystemStore& store, const BulkLine& line);

// One line rewritten by Apply.
struct BulkChange {
    int system = 0, group = -1, row = 0;
    std::string before, after;
};

struct BulkResult {
    bool applied = false;       // false: refused (the message was shown) or nothing written
    bool write_failed = false;  // a group file could not be rewritten ("temp.tmp" kept nothing)
    std::vector<BulkChange> changes;  // lines whose text changed, in list order
    int lines_changed() const { return static_cast<int>(changes.size()); }
};

// Apply: needs a ticked line ("Please select one or more channels") and a ticked setting
// ("Please select which item to change."). Each ticked line gets every ticked setting in its
// field; the row number and all other fields stay as they are. A value the setting's list does
// not hold is refused with a message naming it, before anything is written. Each group file is
// rewritten once, through "temp.tmp".
BulkResult bulk_apply(GroupFiles& files, BulkKind kind, const std::vector<BulkLine>& ticked,
                      const std::vector<std::pair<std::string, std::string>>& settings,
                      Prompter& prompter);

// What the window and the command line report after Apply: "Lines changed: N".
std::string bulk_changed_text(int lines_changed);

// ---- selection by distance from home ----

struct HomeLocation {
    double latitude = 0, longitude = 0, range = 25;  // decimal degrees, miles
    bool set = false;                                // false when no home location is stored
};
// `gps` / `home_lat`, `home_long` and `home_range` (default "25").
HomeLocation read_home_location(const Settings& settings);

inline constexpr std::string_view k_no_home_location =
    "No home location is set. Set one with \"Set As Home\" in the GPS Location Data Editor.";

// For each line, whether it lies within the home range: the place of a line is its group's
// location; a group without one (latitude and longitude 0) in a trunked system takes the
// nearest of its system's sites that has one. Lines without any place are not ticked.
std::vector<bool> bulk_select_by_distance(const SystemStore& store,
                                          const std::vector<BulkLine>& lines,
                                          const HomeLocation& home);

}  // namespace tarvex
