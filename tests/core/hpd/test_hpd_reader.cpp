#include <gtest/gtest.h>

#include "hpd_fixture.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {
const std::string v2 = "FormatVersion   2.03";
}

TEST(HpdReader, ConventionalSystemsBecomeRecordLinesGroupsAndChannelFiles) {
    Db db;
    db.read_text(
        {"TargetModel HomePatrol-1", v2,
         tabs("Conventional|CountyId=12|StateId=3|Harbor, North|Off|05/01/2020|Conventional"),
         tabs("AreaState|CountyId=12|StateId=3"),
         tabs("C-Group|CGroupId=7|CountyId=12|Sheriff|Off|41.5|-70.2|10.0|Circle"),
         tabs("C-Freq|||Dispatch, "
              "Main|Off|155070000|NFM|TONE=C67.0|2|Off|2|0|Off|Auto|Red|On|5|Off"),
         tabs("C-Freq|||Car 2|On|460025000|FM|TONE=D023|99|On|5|1|3|4"),
         tabs("C-Group|CGroupId=8|CountyId=12|Fire|Off|||")});
    EXPECT_EQ(db.text("SYS-001"),
              "SIN,Conventional,12,StateId=3,Harbor; North,0,05/01/2020,Conventional,,,,,");
    EXPECT_EQ(db.store.system_slot(1, k_slot_type_code), "0");
    EXPECT_EQ(db.store.system_slot(1, k_slot_name), "Harbor; North");
    EXPECT_EQ(db.text("GRP-999-001-000"),
              "GIN,C-Group,CGroupId=7,CountyId=12,Sheriff,Off,41.5,-70.2,10.0,Circle");
    EXPECT_TRUE(db.store.exists("GRP-999-001-001"));
    // Row numbers from 1; light, pattern, number tag and priority are not taken over.
    EXPECT_EQ(db.rows(1, 0),
              (std::vector<std::string>{
                  "1,155.07,Dispatch; Main,Off,NFM,CTCSS,67.0,Law Dispatch,Off,2,0,Off,Auto",
                  "2,460.025,Car 2,On,FM,DCS,023,NOT DEFINED,On,5,1,3,4"}));
    EXPECT_FALSE(db.files.exists(1, 1));
}

// A channel's frequency is the Hz field / 1,000,000 as plain text, without padding decimals.
TEST(HpdReader, ChannelFrequenciesAreWrittenAsPlainMegahertz) {
    const std::pair<const char*, const char*> cases[] = {{"154430000", "154.43"},
                                                         {"460100000", "460.1"},
                                                         {"851012500", "851.0125"},
                                                         {"155000000", "155"},
                                                         {"851006250", "851.00625"}};
    for (auto [hz, mhz] : cases) {
        Db db;
        db.read_text({"FormatVersion\t2.00", tabs("Conventional|AgencyId=4||S|Off||Conventional"),
                      tabs("C-Group|CGroupId=7|CountyId=12|G|Off|||"),
                      tabs(std::string("C-Freq|||X|Off|") + hz + "|FM||2")});
        ASSERT_EQ(db.rows(1, 0).size(), 1u) << hz;
        EXPECT_EQ(get_field(db.rows(1, 0)[0], 1), mhz) << hz;
    }
}

TEST(HpdReader, VersionOneFilesGetTheirMissingFieldsWithDefaults) {
    Db db;
    db.read_text({"FormatVersion\t1.00", tabs("Conventional|AgencyId=4||Old|Off||Conventional"),
                  tabs("C-Group|CGroupId=1|AgencyId=4|G|Off|1.0|-1.0|2.0"),
                  tabs("C-Freq|||Tag|Off|462562500|NFM||21"),
                  tabs("Trunk|TrunkId=9||Trunked|Off||Motorola"),
                  tabs("Site|SiteId=1|TrunkId=9|S|Off|1.0|-1.0|5.0|AUTO|Standard|Wide"),
                  tabs("T-Group|TGroupId=2|TrunkId=9|TG|Off|1.0|-1.0|2.0"),
                  tabs("TGID|||Ops|Off|1234|ALL|2")});
    EXPECT_EQ(db.rows(1, 0),
              std::vector<std::string>{"1,462.5625,Tag,Off,NFM,All,,Other,Off,2,0,Off,Auto"});
    EXPECT_EQ(db.text("GRP-999-001-000"),
              "GIN,C-Group,CGroupId=1,AgencyId=4,G,Off,1.0,-1.0,2.0,Circle");
    // The reader's ",Off," rule reaches the appended alert tone too.
    EXPECT_EQ(db.text("SYS-002"), "SIN,Motorola,9,,Trunked,0,,Motorola,0,0,Auto,0,Search");
    EXPECT_EQ(
        db.text("SIT-002-001"),
        "SIT,Site,SiteId=1,TrunkId=9,S,Off,1.0,-1.0,5.0,AUTO,Standard,Wide(standard),Circle,0");
    EXPECT_EQ(db.rows(2, 0),
              std::vector<std::string>{"1,1234,Ops,Off,All,Law Dispatch,2,0,Off,Auto"});

    Db v2db;  // 2.00 and later append nothing
    v2db.read_text({"FormatVersion\t2.00", tabs("Conventional|AgencyId=4||Old|Off||Conventional"),
                    tabs("C-Group|CGroupId=1|AgencyId=4|G|Off|1.0|-1.0|2.0"),
                    tabs("C-Freq|||Tag|Off|462562500|NFM||21")});
    EXPECT_EQ(v2db.rows(1, 0), std::vector<std::string>{"1,462.5625,Tag,Off,NFM,All,,Other,,,,,"});
}

TEST(HpdReader, TrunkedSystemsTakeTheirTypeSitesBandplansFleetMapsAndUnitIds) {
    Db db;
    db.read_text(
        {v2, tabs("Trunk|TrunkId=77|StateId=1|Metro|Off||Motorola|On|Off|Auto|Yes|Srch"),
         tabs("AreaState|TrunkId=77|StateId=0"), tabs("FleetMap|TrunkId=77|A|C|0|0|0|0|-1|E"),
         tabs("UnitIds|||Chief|1001|Off|Auto"),
         tabs("Site|SiteId=5|TrunkId=77|North|Off|1.5|-2.5|9.0|AUTO|Custom|Wide|Rectangles|On"),
         tabs("BandPlan_Mot|SiteId=5|851025000|854000000|25000|440|851012500|868987500|12500|0|"
              "1|2|25000|3|4|5|6250|7|9|9|9|9|9|9"),
         tabs("BandPlan_P25|SiteId=5|1|2|3"), tabs("T-Freq|TFreqId=0|SiteId=5||Off|851012500|1|"),
         tabs("T-Freq|TFreqId=0|SiteId=5||Off|851512500|2|3"),
         tabs("T-Group|TGroupId=4|TrunkId=77|Police|Off|1|2|3|Circle"),
         tabs("TGID|||Patrol|Off|4112|DIGITAL|2|30|-3|9|15|Red|On|5|On|1"),
         tabs("Trunk|||Old Scat|Off||Scat"), tabs("Trunk|||Future|Off||Nxdn")});
    EXPECT_EQ(db.text("SYS-001"), "SIN,Motorola,77,StateId=1,Metro,0,,Motorola,1,0,Auto,1,Search");
    EXPECT_EQ(db.store.system_slot(1, k_slot_type_code), "1");
    EXPECT_EQ(db.text("UID-001-001"), "UID, OPEN FILE");
    EXPECT_EQ(db.text("FMP-001-000"), "FMP,10,12,0,0,0,0,0,14") << "no negative block codes";
    EXPECT_EQ(db.text("UDD-001-00-0001"), "UID,1001,Chief,Off,Auto");
    EXPECT_EQ(db.text("SIT-001-001"),
              "SIT,Site,SiteId=5,TrunkId=77,North,Off,1.5,-2.5,9.0,AUTO,Custom/Rebanded,"
              "Wide(standard),Rectangles,1");
    // Four rows of the plan are taken: edges in MHz, steps in kHz.
    EXPECT_EQ(
        db.text("MCP-001-001"),
        "MCP,type,851.0250,854.0000,25.0,440,851.0125,868.9875,12.5,0,0.000001,0.000002,25.0,3,"
        "0.000004,0.000005,6.25,7");
    EXPECT_EQ(db.text("TFQ-001-001-001"), "TFQ,851.0125,1,");
    EXPECT_EQ(db.text("TFQ-001-001-002"), "TFQ,851.5125,2,3");
    EXPECT_EQ(db.rows(1, 0),
              std::vector<std::string>{"1,4112,Patrol,Off,Digital,Law Dispatch,30,-3,9,15"});
    EXPECT_EQ(db.text("SYS-002"), "SIN,Edacs Scat,,,Old Scat,0,,Scat");
    EXPECT_EQ(db.store.system_slot(2, k_slot_type_code), "3");
    EXPECT_FALSE(db.store.exists("SYS-003")) << "an unknown trunked type is left out";
    EXPECT_EQ(db.store.parent_key("TFQ-001-001-002"), "SIT-001-001");
}

TEST(HpdReader, FlagsChooseConventionalOrTrunkedSystems) {
    std::vector<std::string> file = {v2,
                                     tabs("Conventional|AgencyId=1||A|Off||Conventional"),
                                     tabs("Trunk|||T1|Off||Ltr"),
                                     tabs("Conventional|AgencyId=2||B|Off||Conventional"),
                                     tabs("Trunk|||T2|Off||P25Standard"),
                                     tabs("Trunk|||T3|Off||Edacs")};
    Db all, conv, trunk;
    all.read_text(file, k_read_all);
    conv.read_text(file, k_read_conventional_only);
    trunk.read_text(file, k_read_trunked_only);
    EXPECT_EQ(all.store.child_keys("").size(), 5u);
    EXPECT_EQ(conv.store.child_keys("").size(), 2u);
    EXPECT_EQ(trunk.store.child_keys("").size(), 3u);
    EXPECT_EQ(get_field(trunk.text("SYS-002"), 1), "P25 Standard");
}

TEST(HpdReader, ReadingTheSameFileTwiceAddsItsSystemsUnderNewIndexes) {
    Db db;
    std::vector<std::string> file = {v2, tabs("Conventional|AgencyId=1||A|Off||Conventional"),
                                     tabs("C-Group|CGroupId=1|AgencyId=1|G|Off|||"),
                                     tabs("C-Freq|||X|Off|155000000|FM||2")};
    db.read_text(file);
    db.read_text(file);
    EXPECT_TRUE(db.store.exists("SYS-002"));
    EXPECT_EQ(db.rows(2, 0), db.rows(1, 0));
    EXPECT_EQ(db.rows(2, 0).size(), 1u) << "the channel file of the second copy is its own";
}

TEST(HpdReader, AFullStoreRefusesEachFurtherSystemWithAMessage) {
    Db db;
    db.store.add_node("", "SYS-001", "SIN,Conventional");
    for (int i = 0; i < 30000; ++i) db.store.add_node("SYS-001", "X-" + std::to_string(i), "");
    db.read_text({v2, tabs("Conventional|AgencyId=1||A|Off||Conventional"),
                  tabs("C-Group|CGroupId=1|AgencyId=1|G|Off|||"),
                  tabs("C-Freq|||X|Off|155000000|FM||2"), tabs("Trunk|||T|Off||Ltr")});
    EXPECT_EQ(db.prompter.told, (std::vector<std::string>{"ERROR: Out of storage space",
                                                          "ERROR: Out of storage space"}));
    EXPECT_FALSE(db.store.exists("SYS-002"));
    EXPECT_FALSE(db.files.exists(1, 0)) << "a refused system's channels go nowhere";
}

TEST(HpdReader, BadInputIsSkippedWithoutCrashing) {
    Db db;
    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    write_file(db.dir / "garbage.hpd", garbage);
    EXPECT_TRUE(read_hpd(db.dir / "garbage.hpd", db.store, db.files, 0, 0, no_progress()).opened);
    write_file(db.dir / "empty.hpd", "");
    read_hpd(db.dir / "empty.hpd", db.store, db.files, 0, 0, no_progress());
    EXPECT_FALSE(read_hpd(db.dir / "missing.hpd", db.store, db.files, 0, 0, no_progress()).opened);
    EXPECT_FALSE(read_hpd(db.dir.path(), db.store, db.files, 0, 0, no_progress()).opened);
    EXPECT_TRUE(db.store.empty());

    // Truncated lines, lines before any system or group, a huge field, no final line end.
    auto stats = db.read_text({"C-Freq|||orphan", "TGID", "Site", "T-Freq", "UnitIds", "FleetMap",
                               "BandPlan_Mot", "Conventional", "C-Group", "C-Freq",
                               tabs("C-Freq|||") + std::string(3 << 20, 'x'), "Trunk", "T-Group",
                               "TGID|||||||||||||||||||||||||||||||", "Trunk\tno type"});
    EXPECT_GE(stats.lines, 15);
    EXPECT_TRUE(db.store.exists("SYS-001"));

    // Bare LF and CR LF read alike.
    Db lf, crlf;
    write_file(lf.dir / "a.hpd", tabs("Conventional|AgencyId=1||A|Off||Conventional\nC-Group|x|y|G|"
                                      "Off|||\nC-Freq|||X|Off|155000000|FM||2"));
    write_file(crlf.dir / "a.hpd", tabs("Conventional|AgencyId=1||A|Off||Conventional\r\nC-Group|x|"
                                        "y|G|Off|||\r\nC-Freq|||X|Off|155000000|FM||2\r\n"));
    read_hpd(lf.dir / "a.hpd", lf.store, lf.files, 0, 0, no_progress());
    read_hpd(crlf.dir / "a.hpd", crlf.store, crlf.files, 0, 0, no_progress());
    EXPECT_EQ(lf.text("SYS-001"), crlf.text("SYS-001"));
    EXPECT_EQ(lf.rows(1, 0), crlf.rows(1, 0));
}

TEST(HpdReader, RowsAndGroupsOfTheOtherKindAreDroppedNotStoredAsTheWrongKind) {
    // Saving would write them as the group's or system's own kind: a channel's frequency as a
    // talkgroup, a talkgroup as a frequency.
    Db db;
    auto stats = db.read_text({v2, tabs("Trunk|||Towing|Off||Ltr"),
                               tabs("T-Group|TGroupId=1|TrunkId=1|Yard|Off|||"),
                               tabs("C-Freq|||Stray channel|Off|155610000|NFM||2"),
                               tabs("TGID|||Dispatch|Off|1001|ALL|2"),
                               tabs("C-Group|CGroupId=2|AgencyId=1|Stray group|Off|||"),
                               tabs("TGID|||Stray talkgroup|Off|1002|ALL|2"),
                               tabs("Conventional|CountyId=1|StateId=0|Harbor|Off||Conventional"),
                               tabs("C-Group|CGroupId=3|AgencyId=1|Sheriff|Off|||"),
                               tabs("TGID|||Stray talkgroup|Off|1003|ALL|2"),
                               tabs("C-Freq|||Dispatch|Off|155610000|NFM||2")});
    EXPECT_EQ(stats.dropped_lines, 4);
    ASSERT_EQ(db.rows(1, 0).size(), 1u);
    EXPECT_TRUE(starts_with(db.rows(1, 0)[0], "1,1001,Dispatch,"));
    EXPECT_FALSE(db.store.exists("GRP-999-001-001"));
    ASSERT_EQ(db.rows(2, 0).size(), 1u);
    EXPECT_TRUE(starts_with(db.rows(2, 0)[0], "1,155.61,Dispatch,"));
}

TEST(HpdReader, TextGluedToASystemKeywordIsDroppedSoTheSystemSavesAndReadsBack) {
    Db db;
    db.read_text({v2, "Trunk\x01junk\t\t\tTowing\tOff\t\tLtr",
                  "Conventional junk\tCountyId=4\tStateId=0\tHarbor\tOff\t\tConventional"});
    EXPECT_EQ(get_field(db.text("SYS-001"), 1), "LTR");
    EXPECT_EQ(get_field(db.text("SYS-002"), 1), "Conventional");
    Db back;
    EXPECT_EQ(back.read_text(db.written()).systems_added, 2);
}

TEST(HpdReader, ReportsProgressPerSystemAndAtTheEnd) {
    struct Recorder : Progress {
        std::vector<std::string> labels, statuses;
        void label(std::string_view t) override { labels.emplace_back(t); }
        void status(std::string_view t) override { statuses.emplace_back(t); }
    } progress;
    Db db;
    write_file(db.dir / "p.hpd", tabs(v2 + "\r\nConventional|AgencyId=1||A|Off||Conventional\r\n"
                                           "Trunk|||T|Off||Ltr\r\nTrunk|||U|Off||Ltr\r\n"));
    read_hpd(db.dir / "p.hpd", db.store, db.files, 0, 0, progress);
    EXPECT_EQ(progress.labels,
              (std::vector<std::string>{"Opening System: 1", "Opening System: 1",
                                        "Opening System: 2", "Finished Loading."}));
    EXPECT_EQ(progress.statuses, std::vector<std::string>{"Load Ok."});
}
