// Bulk Channel Edit: which lines the window lists, what Apply writes (one field, nothing else),
// what it refuses, a whole edit as one step of the session's undo, and the selection by distance
// from home.
#include "core/editor/bulk_edit.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"
#include "session_fixture.h"
#include "support/test_support.h"

using namespace tarvex;
using tarvex::test::TempDir;

namespace {

// Talkgroup lines carry the wider layout of other models' grids (Alert Light to DMR Tslot), so
// a write into the wrong field would show.
std::string talkgroup_line(int row, int tgid) {
    return std::to_string(row) + "," + std::to_string(tgid) + ",TG " + std::to_string(tgid) +
           ",Off,All,Law Dispatch,2,0,Off,Auto,Red,On,7,Off,Any";
}
std::string channel_line(int row, const std::string& mhz) {
    return std::to_string(row) + "," + mhz + ",Ch " + mhz +
           ",Off,NFM,CTCSS,136.5,Fire Dispatch,Off,2,0,Off,Auto";
}

struct Bulk : ::testing::Test {
    TempDir dir;
    RecordingPrompter prompter;
    EditingSession session{prompter, tarvex::test::folders_in(dir)};
    SystemStore& store = session.store();
    GroupFiles& files = session.files();

    void add_system(int s, bool conventional, const std::string& name) {
        store.add_node(
            "", keys::system(s),
            conventional ? new_conventional_system(name) : new_trunked_system("Motorola", name));
        store.system_slot(s, k_slot_in_use) = "1";
        store.system_slot(s, k_slot_type_code) = conventional ? "0" : "1";
    }
    void add_group(int s, int g, const std::string& lat = "0.000000",
                   const std::string& lon = "-00.000000") {
        store.add_node(keys::system(s), keys::group(s, g),
                       "GIN,T-Group,TGroupId=0,AgencyId=0,Group " + std::to_string(g) + ",Off," +
                           lat + "," + lon + ",5.0,Circle");
    }
    void add_site(int s, int t, const std::string& lat, const std::string& lon) {
        store.add_node(keys::system(s), keys::site(s, t),
                       "SIF,Site,SiteId=0,TrunkId=0,Site " + std::to_string(t) + ",Off," + lat +
                           "," + lon + ",10.0,AUTO,Standard,Wide,Circle,0");
    }
    // Two trunked systems (2 and 3 groups) and a conventional one.
    void three_systems() {
        add_system(1, false, "North");
        add_system(2, true, "Harbor");
        add_system(3, false, "South");
        for (int g : {0, 1}) {
            add_group(1, g);
            for (int r = 1; r <= 3; ++r) files.append_line(1, g, talkgroup_line(r, 100 * g + r));
        }
        add_group(2, 0);
        files.append_line(2, 0, channel_line(1, "155.6100"));
        files.append_line(2, 0, channel_line(2, "460.1250"));
        files.append_line(2, 0, "3,,,,,,,,,,,,");  // an empty grid row is no channel
        add_group(3, 4);
        for (int r = 1; r <= 2; ++r) files.append_line(3, 4, talkgroup_line(r, 900 + r));
        files.close_appender();
    }
    std::vector<BulkLine> list(BulkKind kind, int system = 0) {
        return bulk_fill_list(files, store, kind, system, prompter);
    }
};

std::vector<std::string> keys_of(const std::vector<BulkLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.key);
    return out;
}

}  // namespace

TEST_F(Bulk, TheListHoldsTheLinesOfTheChosenSystemOrAllOfTheKind) {
    three_systems();
    EXPECT_EQ(keys_of(list(BulkKind::Channels)),
              (std::vector<std::string>{"FRQ-002-000-0001", "FRQ-002-000-0002"}));
    auto all = list(BulkKind::Talkgroups);
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all.front().key, "TID-001-000-0001");
    EXPECT_EQ(all.back().key, "TID-003-004-0002");
    EXPECT_EQ(all.back().system(), 3);
    EXPECT_EQ(all.back().group(), 4);
    EXPECT_EQ(all.back().row(), 2);
    EXPECT_EQ(keys_of(list(BulkKind::Talkgroups, 3)),
              (std::vector<std::string>{"TID-003-004-0001", "TID-003-004-0002"}));
    // A conventional system chosen for talkgroups lists nothing.
    EXPECT_TRUE(list(BulkKind::Talkgroups, 2).empty());

    auto choices = bulk_system_choices(store, BulkKind::Talkgroups);
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].label, "   < All Systems >");
    EXPECT_EQ(choices[0].system, 0);
    EXPECT_EQ(choices[1].system, 1);
    EXPECT_EQ(choices[2].system, 3);
    EXPECT_EQ(bulk_system_choices(store, BulkKind::Channels).size(), 2u);

    BulkLineDetails d = bulk_line_details(store, all.front());
    EXPECT_EQ(d.system, "North");
    EXPECT_EQ(d.group, "Group 0");
    EXPECT_EQ(d.value, "1");
    EXPECT_EQ(d.tag, "TG 1");
}

TEST_F(Bulk, AlertToneOnTalkgroupsAcrossSystemsWritesField8AndLeavesEverythingElse) {
    three_systems();
    const auto channels_before = files.read_lines(2, 0);
    auto lines = list(BulkKind::Talkgroups);
    lines.erase(lines.begin() + 1);  // one line not ticked
    BulkResult r = bulk_apply(files, BulkKind::Talkgroups, lines, {{"Alert Tone", "3"}}, prompter);
    ASSERT_TRUE(r.applied);
    EXPECT_EQ(r.lines_changed(), 7);
    EXPECT_TRUE(prompter.told.empty());

    auto g0 = files.read_lines(1, 0);
    EXPECT_EQ(g0[0], "1,1,TG 1,Off,All,Law Dispatch,2,0,3,Auto,Red,On,7,Off,Any");
    EXPECT_EQ(g0[1], talkgroup_line(2, 2));  // not ticked
    EXPECT_EQ(files.read_lines(3, 4)[1],
              "2,902,TG 902,Off,All,Law Dispatch,2,0,3,Auto,Red,On,7,Off,Any");
    EXPECT_EQ(files.read_lines(2, 0), channels_before);
    EXPECT_FALSE(std::filesystem::exists(dir / "run" / "temp.tmp"));

    // The same edit again changes no line: they hold the value already.
    BulkResult again =
        bulk_apply(files, BulkKind::Talkgroups, lines, {{"Alert Tone", "3"}}, prompter);
    EXPECT_EQ(again.lines_changed(), 0);
    EXPECT_EQ(bulk_changed_text(again.lines_changed()), "Lines changed: 0");
}

struct SettingCase {
    BulkKind kind;
    const char* caption;
    const char* value;
    int field;
};

class BulkSettingField : public Bulk, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(BulkSettingField, EachSettingWritesOnlyItsOwnField) {
    const SettingCase& c = GetParam();
    three_systems();
    const bool ch = c.kind == BulkKind::Channels;
    const int s = ch ? 2 : 1;
    const auto before = files.read_lines(s, 0);
    auto lines = list(c.kind, s);
    lines.resize(1);
    BulkResult r = bulk_apply(files, c.kind, lines, {{c.caption, c.value}}, prompter);
    ASSERT_TRUE(r.applied) << (prompter.told.empty() ? "" : prompter.told.back());
    ASSERT_EQ(r.lines_changed(), 1);
    const auto after = files.read_lines(s, 0);
    auto was = split(before[0], ','), now = split(after[0], ',');
    ASSERT_EQ(was.size(), now.size());
    for (size_t f = 0; f < was.size(); ++f) {
        if (static_cast<int>(f) == c.field)
            EXPECT_EQ(now[f], c.value);
        else
            EXPECT_EQ(now[f], was[f]) << "field " << f;
    }
    EXPECT_EQ(std::vector(after.begin() + 1, after.end()),
              std::vector(before.begin() + 1, before.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BulkSettingField,
    ::testing::Values(SettingCase{BulkKind::Channels, "Mode", "AM", 4},
                      SettingCase{BulkKind::Channels, "SQ Mode", "DCS", 5},
                      SettingCase{BulkKind::Channels, "Service Type", "Ham", 7},
                      SettingCase{BulkKind::Channels, "Attenuator", "On", 8},
                      SettingCase{BulkKind::Channels, "Delay Time", "5", 9},
                      SettingCase{BulkKind::Channels, "Volume Offset", "-2", 10},
                      SettingCase{BulkKind::Channels, "Alert Tone", "9", 11},
                      SettingCase{BulkKind::Channels, "Alert Level", "15", 12},
                      SettingCase{BulkKind::Talkgroups, "AudioType", "Digital", 4},
                      SettingCase{BulkKind::Talkgroups, "Service Type", "Ham", 5},
                      SettingCase{BulkKind::Talkgroups, "Delay Time", "-5", 6},
                      SettingCase{BulkKind::Talkgroups, "Volume Offset", "3", 7},
                      SettingCase{BulkKind::Talkgroups, "Alert Tone", "1", 8},
                      SettingCase{BulkKind::Talkgroups, "Alert Level", "4", 9}));

TEST_F(Bulk, RefusalsNameTheProblemAndWriteNothing) {
    three_systems();
    const auto before = files.read_lines(1, 0);
    auto lines = list(BulkKind::Talkgroups);
    struct Case {
        std::vector<BulkLine> lines;
        std::vector<std::pair<std::string, std::string>> settings;
        std::string message;
    } cases[] = {
        {{}, {{"Alert Tone", "3"}}, "Please select one or more channels"},
        {{}, {}, "Please select one or more channels"},
        {lines, {}, "Please select which item to change."},
        {lines,
         {{"Alert Tone", "3"}, {"Alert Level", "16"}},
         "\"16\" is not a value of Alert Level."},
        // Mode is a setting of channels only.
        {lines, {{"Mode", "AM"}}, "\"Mode\" is not a setting of talkgroups."},
    };
    for (const Case& c : cases) {
        prompter.told.clear();
        BulkResult r = bulk_apply(files, BulkKind::Talkgroups, c.lines, c.settings, prompter);
        EXPECT_FALSE(r.applied);
        ASSERT_EQ(prompter.told.size(), 1u);
        EXPECT_EQ(prompter.told[0], c.message);
        EXPECT_EQ(files.read_lines(1, 0), before);
    }
    // The channel list of settings never offers what this edition's lines do not carry.
    for (BulkKind k : {BulkKind::Channels, BulkKind::Talkgroups}) {
        EXPECT_EQ(find_bulk_setting(k, "Alert Light"), nullptr);
        EXPECT_EQ(find_bulk_setting(k, "Alert Pattern"), nullptr);
    }
    EXPECT_EQ(bulk_settings(BulkKind::Channels).size(), 8u);
    EXPECT_EQ(bulk_settings(BulkKind::Talkgroups).size(), 6u);
}

// Applied inside one session step, Undo puts every line of every file back exactly and Redo
// writes the edit again.
TEST_F(Bulk, OneSessionStepUndoesEveryChangedLineAndRedoAppliesItAgain) {
    three_systems();
    auto lines = [&] {
        return std::vector{files.read_lines(1, 0), files.read_lines(1, 1), files.read_lines(2, 0),
                           files.read_lines(3, 4)};
    };
    const auto before = lines();
    BulkResult r;
    {
        EditingSession::Change step(session, "Bulk edit: Alert Tone, Delay Time");
        r = bulk_apply(files, BulkKind::Talkgroups, list(BulkKind::Talkgroups),
                       {{"Alert Tone", "3"}, {"Delay Time", "10"}}, prompter);
    }
    ASSERT_EQ(r.lines_changed(), 8);
    const auto edited = lines();
    ASSERT_NE(edited, before);
    EXPECT_EQ(session.undo_text(), "Undo Bulk edit: Alert Tone, Delay Time");

    ASSERT_TRUE(session.undo());
    EXPECT_EQ(lines(), before);
    EXPECT_FALSE(session.can_undo());
    ASSERT_TRUE(session.redo());
    EXPECT_EQ(lines(), edited);
}

TEST_F(Bulk, TheListStopsAtTheScratchLimitWithItsMessage) {
    // 30001 talkgroups in four files of one system.
    add_system(1, false, "Big");
    int row = 0, group = 0;
    for (int n = 0; n <= k_scratch_limit; ++n) {
        if (row == 9000) {
            row = 0;
            ++group;
        }
        if (row == 0) add_group(1, group);
        files.append_line(1, group, std::to_string(++row) + "," + std::to_string(n + 1) + ",T");
    }
    files.close_appender();
    auto lines = list(BulkKind::Talkgroups);
    EXPECT_EQ(lines.size(), static_cast<size_t>(k_scratch_limit));
    EXPECT_EQ(prompter.told, std::vector<std::string>{"error, temp memory is full"});
    // What was listed can still be edited.
    BulkResult r =
        bulk_apply(files, BulkKind::Talkgroups, {lines.back()}, {{"Alert Tone", "2"}}, prompter);
    EXPECT_EQ(r.lines_changed(), 1);
}

TEST_F(Bulk, DistanceFromHomeTicksLinesOfNearGroupsAndOfTrunkedSystemsWithNearSites) {
    add_system(1, true, "Conventional");
    add_group(1, 0, "40.000000", "-74.000000");  // home itself
    add_group(1, 1, "40.300000", "-74.000000");  // about 20.7 miles north
    add_group(1, 2, "41.000000", "-74.000000");  // about 69 miles
    add_group(1, 3);                             // no location
    add_system(2, false, "Trunked");
    add_site(2, 1, "40.100000", "-74.100000");
    add_group(2, 0);  // no location of its own: the site decides
    add_system(3, false, "Far trunked");
    add_site(3, 1, "45.000000", "-70.000000");
    add_group(3, 0);
    for (auto [s, g] : {std::pair{1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {3, 0}})
        files.append_line(s, g, "1,1," + std::to_string(s * 10 + g));
    files.close_appender();
    std::vector<BulkLine> lines;
    for (auto [s, g] : {std::pair{1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {3, 0}})
        lines.push_back({"TID-" + fmt3(s) + "-" + fmt3(g) + "-0001", ""});

    HomeLocation home{40.0, -74.0, 25, true};
    EXPECT_EQ(bulk_select_by_distance(store, lines, home),
              (std::vector<bool>{true, true, false, false, true, false}));
    home.range = 10;
    EXPECT_EQ(bulk_select_by_distance(store, lines, home),
              (std::vector<bool>{true, false, false, false, true, false}));
    home.set = false;
    EXPECT_EQ(bulk_select_by_distance(store, lines, home), std::vector<bool>(6, false));
}

TEST(BulkHome, TheHomeComesFromTheGpsSettingsWithRange25ByDefault) {
    MemorySettingsBackend main, import;
    Settings settings(main, import);
    EXPECT_FALSE(read_home_location(settings).set);
    EXPECT_DOUBLE_EQ(read_home_location(settings).range, 25);
    settings.SaveSetting("gps", "home_lat", "40,2096");
    settings.SaveSetting("gps", "home_long", "-74.01");
    HomeLocation home = read_home_location(settings);
    EXPECT_TRUE(home.set);
    EXPECT_DOUBLE_EQ(home.latitude, 40.2096);
    EXPECT_DOUBLE_EQ(home.longitude, -74.01);
    EXPECT_DOUBLE_EQ(home.range, 25);
    settings.SaveSetting("gps", "home_range", "7.5");
    EXPECT_DOUBLE_EQ(read_home_location(settings).range, 7.5);
}
