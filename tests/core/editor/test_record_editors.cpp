// The system, site and group-header editors: what they show, the record lines they save, the
// fleet-map and frequency rules, and their delete questions.
#include <gtest/gtest.h>

#include "core/editor/record_editors.h"
#include "core/model/record_line.h"
#include "session_fixture.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

class RecordEditors : public SessionFixture, public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(session.open_hpd_path(sample_copy())); }
};

}  // namespace

// ---- system ----

TEST_F(RecordEditors, AMotorolaSystemShowsItsFleetMapAndLosesItWhenAllCodesAreZero) {
    SystemForm f = show_system(store(), 2);
    EXPECT_EQ(f.type, "Motorola");
    EXPECT_EQ(f.name, "Harbor Regional Trunked");
    EXPECT_EQ(f.fleet_map[4], "10");  // "A" in the file
    ASSERT_TRUE(store().exists("FMP-002-000"));

    f.fleet_map[7] = "5";
    save_system(session, 2, f);
    EXPECT_EQ(store().get_node_text("FMP-002-000"), "FMP,0,0,0,0,10,12,4,5");
    EXPECT_EQ(store().parent_key("FMP-002-000"), "SYS-002");
    EXPECT_TRUE(session.changed());

    f.fleet_map.fill("0");
    save_system(session, 2, f);
    EXPECT_FALSE(store().exists("FMP-002-000"));
}

TEST_F(RecordEditors, ACommaTypedInANameIsStoredAsASemicolon) {
    SystemForm f = show_system(store(), 1);
    f.name = "Harbor, County";
    save_system(session, 1, f);
    EXPECT_EQ(get_field(store().get_node_text("SYS-001"), 4), "Harbor; County");
    EXPECT_EQ(store().system_slot(1, k_slot_name), "Harbor; County");

    SiteForm site = show_site(store(), 2, 1);
    site.name = "North, Ridge";
    save_site(session, 2, 1, site);
    EXPECT_EQ(get_field(store().get_node_text("SIT-002-001"), 4), "North; Ridge");

    GroupHeaderForm g = show_group_header(store(), 1, 0);
    g.name = "Sheriff, Dispatch";
    save_group_header(session, 1, 0, g);
    EXPECT_EQ(get_field(store().get_node_text("GRP-999-001-000"), 4), "Sheriff; Dispatch");
}

TEST_F(RecordEditors, WritingBackAnUnchangedFormIsNoChange) {
    save_system(session, 2, show_system(store(), 2));
    save_site(session, 2, 1, show_site(store(), 2, 1));
    save_group_header(session, 2, 0, show_group_header(store(), 2, 0));
    EXPECT_FALSE(session.changed());
    EXPECT_EQ(store().change_counter(2), 0);
}

TEST_F(RecordEditors, TheSystemLineFollowsTheRecordLayout) {
    SystemForm f = show_system(store(), 2);
    f.avoid = true;
    f.trunk_switch = true;
    f.alert_tone = "3";
    f.nac = "293";
    EXPECT_EQ(system_line(f),
              "SIN,Motorola,7,StateId=0,Harbor Regional Trunked,1,03/14/2024 09:45:00,Motorola,1,"
              "3,Auto,0,293");
    f.type = "P25 Standard";  // the file word follows a changed type
    EXPECT_EQ(get_field(system_line(f), 7), "P25Standard");

    SystemForm conv = show_system(store(), 1);
    EXPECT_EQ(system_line(conv),
              "SIN,Conventional,1,StateId=0,Harbor County,0,03/14/2024 "
              "09:30:00,Conventional,,,,,");
    default_system(f);
    EXPECT_FALSE(f.avoid);
    EXPECT_FALSE(f.trunk_switch);
    EXPECT_EQ(f.alert_tone, "Off");
    EXPECT_EQ(f.system_id, "0");
    EXPECT_EQ(fleet_map_line(f), "");
}

TEST_F(RecordEditors, TheSystemFormsDeleteButtonAsksFirst) {
    prompter.script({Answer::Cancel, Answer::Yes});
    EXPECT_FALSE(delete_system_from_form(session, 3));
    EXPECT_TRUE(store().exists("SYS-003"));
    EXPECT_EQ(prompter.questions.back(),
              "This will delete the selected System from the browser.\n"
              "If not saved, data is lost!\nContinue?");
    EXPECT_TRUE(delete_system_from_form(session, 3));
    EXPECT_FALSE(store().exists("SYS-003"));
}

// ---- site ----

TEST_F(RecordEditors, SavingASiteAfterDeletingAGridRowKeepsTheOtherRowsInGridOrder) {
    SiteForm f = show_site(store(), 2, 1);
    auto before = store().child_keys("SIT-002-001");
    ASSERT_GE(before.size(), 3u);
    std::string first = store().get_node_text(before[0]);
    std::string third = store().get_node_text(before[2]);
    EXPECT_EQ(f.frequencies.at(1, 1), get_field(first, 1));

    // The second row goes; the third is moved to the top.
    auto& rows = f.frequencies;
    rows.row(2) = rows.row(3);
    rows.row(3) = std::vector<std::string>(rows.cols());
    std::swap(rows.row(1), rows.row(2));
    f.frequencies.number_rows();
    save_site(session, 2, 1, f);

    auto after = store().child_keys("SIT-002-001");
    ASSERT_EQ(after.size(), before.size() - 1);
    EXPECT_EQ(after[0], "TFQ-002-001-001");
    EXPECT_EQ(store().get_node_text(after[0]), third);
    EXPECT_EQ(store().get_node_text(after[1]), first);
}

TEST_F(RecordEditors, SavingASiteKeepsItsPlaceInTheSystemAndInTheSavedFile) {
    const auto sites_before = children("SYS-002", "SIT-");
    ASSERT_GE(sites_before.size(), 2u);
    const std::string first = sites_before.front();
    SiteForm f = show_site(store(), 2, keys::site_of(first));
    f.name = "Renamed First Site";
    save_site(session, 2, keys::site_of(first), f);
    EXPECT_EQ(children("SYS-002", "SIT-"), sites_before);

    const std::string out = (dir / "saved.hpd").string();
    ASSERT_TRUE(session.save_to(out));
    std::vector<std::string> names;
    for (const std::string& line : read_lines(out))
        if (line.rfind("Site\t", 0) == 0) names.push_back(line);
    ASSERT_GE(names.size(), 3u);
    EXPECT_NE(names[0].find("Renamed First Site"), std::string::npos);
    EXPECT_NE(names[1].find("North Ridge"), std::string::npos);
}

TEST_F(RecordEditors, TheSiteLineAndBandplanLineFollowTheRecordLayout) {
    SiteForm f = show_site(store(), 2, 2);
    EXPECT_EQ(f.motorola_band, "Custom/Rebanded");
    EXPECT_EQ(f.modulation, "NFM");
    f.avoid = true;
    f.attenuator = true;
    EXPECT_EQ(site_line(f),
              "SIF,Site,SiteId=0,TrunkId=0,North Ridge,On,44.512800,-69.031400,18.5,NFM,"
              "Custom/Rebanded,Wide(standard),Circle,1");
    f.bandplan[0] = {"851.5", "", "12.5", "3.7"};
    std::string plan = bandplan_line(f.bandplan);
    EXPECT_EQ(get_field(plan, 2), "851.5000");
    EXPECT_EQ(get_field(plan, 3), "0");
    EXPECT_EQ(get_field(plan, 4), "12.5");
    EXPECT_EQ(get_field(plan, 5), "3");
    EXPECT_EQ(get_field_plain(plan, 25), f.bandplan[5].offset.empty() ? "0" : f.bandplan[5].offset);
}

TEST_F(RecordEditors, DefaultBandplanIsTheTwoRowPlanWhateverTheBandType) {
    for (auto band : motorola_band_choices()) {
        SiteForm f = show_site(store(), 2, 3);
        f.motorola_band = std::string(band);
        f.bandplan = preset_bandplan_six();
        default_bandplan(f.bandplan);
        EXPECT_EQ(f.bandplan[0].lower, "851.025");
        EXPECT_EQ(f.bandplan[0].step, "25.0");
        EXPECT_EQ(f.bandplan[0].step, site_step_list()[7]);
        EXPECT_EQ(f.bandplan[1].upper, "868.9875");
        EXPECT_TRUE(f.bandplan[2].lower.empty());
        EXPECT_EQ(bandplan_line(f.bandplan), templates::bandplan_default) << band;
        save_site(session, 2, 3, f);
        EXPECT_EQ(store().get_node_text("MCP-002-003"), templates::bandplan_default);
    }
}

TEST_F(RecordEditors, TheSiteFormsDeleteButtonAsksFirst) {
    prompter.script({Answer::No, Answer::Yes});
    EXPECT_FALSE(delete_site_from_form(session, 2, 1));
    EXPECT_TRUE(store().exists("SIT-002-001"));
    EXPECT_EQ(prompter.questions.back(),
              "This will delete the current site, data will be lost! Continue?");
    EXPECT_TRUE(delete_site_from_form(session, 2, 1));
    EXPECT_FALSE(store().exists("SIT-002-001"));
    EXPECT_FALSE(store().exists("TFQ-002-001-001"));
}

// ---- group header ----

TEST_F(RecordEditors, TheGroupHeaderLineAndItsDefault) {
    GroupHeaderForm g;
    default_group_header(g, 5);
    EXPECT_EQ(g.name, "Department 5");
    g.lockout = true;
    EXPECT_EQ(group_header_line(g),
              "GIN,C-Group,CGroupId=0,AgencyId=0,Department 5,On,0.00,-0.00,0,Circle");
    g.name = std::string(70, 'x');
    EXPECT_EQ(get_field(group_header_line(g), 4).size(), 64u);
    EXPECT_EQ(name_counter_text("Fire"), "# chars: 4");

    GroupHeaderForm shown = show_group_header(store(), 1, 0);
    EXPECT_EQ(shown.name, "Harbor County Sheriff");
    EXPECT_EQ(shown.range, "18.0");
    shown.lockout = true;
    save_group_header(session, 1, 0, shown);
    EXPECT_EQ(store().get_node_text("GRP-999-001-000"),
              "GIN,C-Group,CGroupId=0,AgencyId=0,Harbor County Sheriff,On,44.352100,-68.947300,"
              "18.0,Circle");
    EXPECT_TRUE(session.changed());
}
