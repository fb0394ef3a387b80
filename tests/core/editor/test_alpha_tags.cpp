// Alpha tags over group files and the store: the scopes beyond the open grid.
#include "core/editor/alpha_tags.h"

#include <gtest/gtest.h>

#include "core/base/text.h"
#include "core/hpd/hpd_writer.h"
#include "core/model/record_line.h"
#include "session_fixture.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

struct StoreWithFiles {
    TempDir dir;
    RecordingPrompter prompter;
    SystemStore store{prompter};
    GroupFiles files{dir / "run"};

    StoreWithFiles() {
        store.add_node("", "SYS-001", "SIN,Motorola,1,StateId=0,metro trunk,0");
        store.add_node("SYS-001", "SIT-001-001",
                       "SIF,Site,SiteId=0,TrunkId=0,north tower,Off,0,0,0,AUTO,Standard,Wide,"
                       "Circle,0");
        store.add_node("SYS-001", "GRP-999-001-000",
                       "GIN,T-Group,TGroupId=0,AgencyId=0,fire dept,Off,0,0,0");
        store.add_node("SYS-001", "GRP-999-001-002",
                       "GIN,T-Group,TGroupId=0,AgencyId=0,police,Off,0,0,0");
        store.add_node("", "SYS-002", "SIN,Conventional,2,StateId=0,county,0");
        store.add_node("SYS-002", "GRP-999-002-000",
                       "GIN,C-Group,CGroupId=0,AgencyId=0,ems,Off,0,0,0");
        files.write_lines(1, 0, {"1,100,fire disp,Off,Auto", "2,101,  fire tac  ,Off,Auto"});
        files.write_lines(1, 2, {"1,200,pd main,Off,Auto"});
        files.write_lines(2, 0, {"1,155.0000,ems one,Off,FM"});
    }
    std::string name_of(const std::string& key) { return get_field(store.get_node_text(key), 4); }
};

}  // namespace

TEST(AlphaTagFiles, OnlyTheTagFieldOfEveryLineChanges) {
    StoreWithFiles s;
    ASSERT_TRUE(justify_group_file(s.files, 1, 0, grid::align_right));
    EXPECT_EQ(s.files.read_lines(1, 0),
              (std::vector<std::string>{"1,100," + std::string(21, ' ') + "fire disp,Off,Auto",
                                        "2,101," + std::string(22, ' ') + "fire tac,Off,Auto"}));
    ASSERT_TRUE(case_group_file(s.files, 1, 2, grid::CaseCode::Special));
    EXPECT_EQ(s.files.read_lines(1, 2), (std::vector<std::string>{"1,200,Pd Main,Off,Auto"}));
    EXPECT_FALSE(std::filesystem::exists(s.files.folder() / "temp.tmp"));
    // the named-file form rewrites the same way
    ASSERT_TRUE(transform_group_file(s.files, "GRP-999-002-000.tmp",
                                     TagTransform::letter_case(grid::CaseCode::Upper)));
    EXPECT_EQ(s.files.read_lines(2, 0), (std::vector<std::string>{"1,155.0000,EMS ONE,Off,FM"}));
}

TEST(AlphaTagFiles, MissingFilesAndBadIndexesChangeNothing) {
    StoreWithFiles s;
    write_file(s.files.folder() / "temp.tmp", "leftover");
    EXPECT_FALSE(justify_group_file(s.files, 1, 7, grid::align_center));  // no such file
    EXPECT_FALSE(justify_group_file(s.files, 1000, 0, grid::align_center));
    EXPECT_FALSE(justify_group_file(s.files, -1, 0, grid::align_center));
    EXPECT_FALSE(transform_group_file(s.files, "temp.tmp", TagTransform::alignment(1)));
    // a short line (fewer than three fields) is kept as it is
    s.files.write_lines(1, 3, {"1,100", "2,101,x"});
    ASSERT_TRUE(justify_group_file(s.files, 1, 3, grid::align_center));
    EXPECT_EQ(s.files.read_lines(1, 3),
              (std::vector<std::string>{"1,100", "2,101," + std::string(14, ' ') + "x"}));
    // a leftover temp.tmp never ends up as a group's file
    EXPECT_FALSE(std::filesystem::exists(s.files.folder() / "temp.tmp"));
}

TEST(AlphaTagScopes, AllGroupsOfOneSystemAndNoOther) {
    StoreWithFiles s;
    EXPECT_EQ(transform_system_groups(s.store, s.files, 1,
                                      TagTransform::letter_case(grid::CaseCode::Upper)),
              2);
    EXPECT_EQ(s.files.read_lines(1, 0)[0], "1,100,FIRE DISP,Off,Auto");
    EXPECT_EQ(s.files.read_lines(1, 2)[0], "1,200,PD MAIN,Off,Auto");
    EXPECT_EQ(s.files.read_lines(2, 0)[0], "1,155.0000,ems one,Off,FM");
}

TEST(AlphaTagScopes, TheAdvancedWindowWorksOnTheChosenKindsOnly) {
    StoreWithFiles s;
    TagKinds kinds;
    kinds.sites = kinds.groups = true;
    TagCounts n =
        apply_alpha_tags(s.store, s.files, kinds, TagTransform::letter_case(grid::CaseCode::Upper));
    EXPECT_EQ(n.systems, 0);
    EXPECT_EQ(n.sites, 1);
    EXPECT_EQ(n.groups, 3);
    EXPECT_EQ(n.files, 0);
    EXPECT_EQ(s.name_of("SYS-001"), "metro trunk");
    EXPECT_EQ(s.name_of("SIT-001-001"), "NORTH TOWER");
    EXPECT_EQ(s.name_of("GRP-999-002-000"), "EMS");
    EXPECT_EQ(s.files.read_lines(1, 0)[0], "1,100,fire disp,Off,Auto");

    kinds = {};
    kinds.systems = kinds.channels = true;
    n = apply_alpha_tags(s.store, s.files, kinds, TagTransform::alignment(grid::align_center));
    EXPECT_EQ(n.systems, 2);
    EXPECT_EQ(n.files, 3);
    EXPECT_EQ(s.name_of("SYS-002"), std::string(12, ' ') + "county");
    EXPECT_EQ(s.files.read_lines(2, 0)[0], "1,155.0000," + std::string(11, ' ') + "ems one,Off,FM");
    // every other field of the record is untouched
    EXPECT_EQ(s.store.get_node_text("SIT-001-001"),
              "SIF,Site,SiteId=0,TrunkId=0,NORTH TOWER,Off,0,0,0,AUTO,Standard,Wide,Circle,0");
}

TEST(AlphaTagScopes, SessionScopeWritesTheOpenGridBackFirstAndReloadsIt) {
    SessionFixture f;
    ASSERT_TRUE(f.session.open_hpd_path(f.sample_copy()));
    f.session.select("GRP-999-001-000");
    std::vector<std::string> calls;
    f.session.editor.write_back = [&] { calls.push_back("write_back"); };
    f.session.editor.reload = [&] { calls.push_back("reload"); };
    f.session.clear_changed();
    int files = alpha_tags_all_groups(f.session, TagTransform::letter_case(grid::CaseCode::Upper));
    EXPECT_GT(files, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"write_back", "reload"}));
    EXPECT_TRUE(f.session.changed());
    for (const auto& line : f.session.files().read_lines(1, 0))
        EXPECT_EQ(get_field(line, 2), to_upper(get_field(line, 2))) << line;
}

TEST(AlphaTagScopes, CenteredTagsSaveAndReadBackUnchanged) {
    SessionFixture f;
    ASSERT_TRUE(f.session.open_hpd_path(f.sample_copy()));
    TagKinds kinds;
    kinds.systems = kinds.sites = kinds.groups = kinds.channels = true;
    apply_alpha_tags(f.session, kinds, TagTransform::alignment(grid::align_center));
    std::string out = (f.dir / "centred.hpd").string();
    ASSERT_TRUE(f.session.save_to(out));
    auto first = read_file(out);
    EXPECT_TRUE(contains(first, "\t" + std::string(8, ' ') + "Fire Dispatch\t")) << "centred";

    SessionFixture g;
    ASSERT_TRUE(g.session.open_hpd_path(out));
    std::string again = (g.dir / "again.hpd").string();
    ASSERT_TRUE(g.session.save_to(again));
    EXPECT_EQ(first_difference(first, read_file(again)), "");
}

TEST(NewItems, SitesAndGroupsTakeTheDefaultLocationForNewItems) {
    SessionFixture f;
    StartupSettings values = f.session.settings();
    values.def_lat = "40.2096";
    values.def_long = "-74.01";
    values.def_range = "12";
    values.def_ena = {true, true, true, true};
    f.session.apply_settings(values);
    f.session.new_system(NewSystemKind::Motorola);
    f.session.select("SYS-001");
    auto site = f.session.new_site();
    ASSERT_TRUE(site);
    const std::string& line = f.store().get_node_text(keys::site(1, *site));
    EXPECT_EQ(get_field(line, 6), "40.209600");
    EXPECT_EQ(get_field(line, 7), "-74.010000");
    EXPECT_EQ(get_field(line, 8), "12.0");

    // scanning by location switched off for new items: no position
    values.def_ena[3] = false;
    f.session.apply_settings(values);
    auto group = f.session.new_group();
    ASSERT_TRUE(group);
    EXPECT_EQ(get_field(f.store().get_node_text(keys::group(1, *group)), 6), "0.000000");
}
