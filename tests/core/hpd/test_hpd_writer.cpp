#include <gtest/gtest.h>

#include <filesystem>

#include "core/model/record_line.h"
#include "hpd_fixture.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {
std::vector<std::string> body(const std::vector<std::string>& lines) {
    return std::vector<std::string>(lines.begin() + 2, lines.end());
}
void motorola(Db& db, std::string fleet_map) {
    db.store.add_node("", "SYS-001",
                      "SIN,Motorola,,,Metro,0,01/01/2010 10:00:00,Motorola,1,0,3,0,Search");
    db.store.system_slot(1, k_slot_type_code) = "1";
    db.store.add_node("SYS-001", "FMP-001-000", std::move(fleet_map));
}
}  // namespace

TEST(HpdWriter, WritesHeaderAndCrLfLinesAndKeepsThePreviousFileOnFailure) {
    Db db;
    std::string path = (db.dir / "out.hpd").string();
    int format = 0;
    EXPECT_FALSE(
        write_hpd(path, db.store, db.files, 0, format, 0, false, db.prompter, no_progress()));
    EXPECT_EQ(db.prompter.told, std::vector<std::string>{"Nothing to Save"});
    EXPECT_FALSE(std::filesystem::exists(path));

    db.store.add_node("", "SYS-001", new_conventional_system("A"));
    ASSERT_TRUE(
        write_hpd(path, db.store, db.files, 0, format, 0, false, db.prompter, no_progress()));
    EXPECT_EQ(format, 2);
    std::string bytes = read_file(path);
    EXPECT_EQ(bytes.substr(0, 48), "TargetModel HomePatrol-1\r\nFormatVersion   2.03\r\n");
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_EQ(bytes.find("\n", 0) - 1, bytes.find("\r", 0));

    // A target that cannot be replaced (a folder) gives the error message and stays as it was.
    std::filesystem::create_directories(db.dir / "busy.hpd" / "inside");
    std::string busy = (db.dir / "busy.hpd").string();
    EXPECT_FALSE(
        write_hpd(busy, db.store, db.files, 0, format, 0, false, db.prompter, no_progress()));
    EXPECT_TRUE(starts_with(db.prompter.told.back(), "There was an error saving this file: "));
    EXPECT_TRUE(std::filesystem::exists(db.dir / "busy.hpd" / "inside"));
    std::string missing = (db.dir / "no" / "such" / "x.hpd").string();
    EXPECT_FALSE(
        write_hpd(missing, db.store, db.files, 0, format, 0, false, db.prompter, no_progress()));
    for (const auto& e : std::filesystem::directory_iterator(db.dir.path()))
        EXPECT_EQ(e.path().string().find(".part"), std::string::npos)
            << "no temporary file is left";
    std::string empty;
    EXPECT_FALSE(
        write_hpd(empty, db.store, db.files, 0, format, 0, false, db.prompter, no_progress()));
}

TEST(HpdWriter, NoOverwriteAddsUnderscoresUntilTheNameIsFree) {
    Db db;
    db.store.add_node("", "SYS-001", new_conventional_system("A"));
    write_file(db.dir / "list.hpd", "old");
    write_file(db.dir / "list_.hpd", "older");
    std::string path = (db.dir / "list.hpd").string();
    int format = 0;
    ASSERT_TRUE(
        write_hpd(path, db.store, db.files, 0, format, 0, true, db.prompter, no_progress()));
    EXPECT_EQ(std::filesystem::path(path).filename(), "list__.hpd");
    EXPECT_EQ(read_file(db.dir / "list.hpd"), "old");
}

TEST(HpdWriter, ConventionalSystemsUsePositionsForMissingIdsAndForceValuesThroughTheLists) {
    Db db;
    db.store.add_node("", "SYS-001",
                      "SIN,Conventional,0,StateId=5,Harbor,1,01/01/2010 10:00:00,Conventional");
    db.store.system_slot(1, k_slot_type_code) = "0";
    db.store.add_node("SYS-001", "GRP-999-001-000",
                      "GIN,C-Group,CGroupId=0,AgencyId=0,Sheriff,Maybe,,,");
    db.store.add_node("SYS-001", "GRP-999-001-001",
                      "GIN,C-Group,CGroupId=0,AgencyId=0,Empty,On,1.0,-2.0,3.0,Rectangles");
    db.files.write_lines(1, 0,
                         {"1,155.07,Dispatch,Off,WFM,CTCSS,100.0,Racing Teams,Off,7,5,Off,Auto",
                          "2,,,,,,,,,,,,", "3,460.5,,On,NFM,DMR,Search,,On,2,0,3,4"});
    EXPECT_EQ(
        body(db.written()),
        (std::vector<std::string>{
            tabs("Conventional|CountyId=1|StateId=0|Harbor|On|01/01/2010 10:00:00|Conventional"),
            tabs("AreaState|AgencyId=1|StateId=0"), tabs("AreaCounty|AgencyId=1|CountyId=0"),
            tabs("C-Group|CGroupId=2|AgencyId=1|Sheriff|Off|0.000000|-0.000000|0.0|Circle"),
            tabs("C-Freq|||Dispatch|Off|155070000|AUTO|TONE=C100.0|217|Off|2|0|Off|Auto|Off|On|Off|"
                 "Off"),
            tabs("C-Freq||||On|460500000|NFM|ColorCode=Srch|208|On|2|0|3|4|Off|On|Off|Off"),
            tabs("C-Group|CGroupId=3|AgencyId=1|Empty|On|1.0|-2.0|3.0|Rectangles")}));
}

TEST(HpdWriter, TrunkedSystemsWriteFleetMapsUnitIdsSitesBandplansAndTalkgroups) {
    Db db;
    motorola(db, "FMP,10,12,0,0,0,0,0,1");
    db.store.add_node("SYS-001", "UID-001-001", "UID, OPEN FILE");
    db.store.add_node("UID-001-001", "UDD-001-00-0001", "UID,i1001,,7,Auto");
    db.store.add_node(
        "SYS-001", "SIT-001-001",
        "SIF,Site,SiteId=0,TrunkId=0,North,Off,,,,FM,Custom/Rebanded,Narrow,Circle,1");
    db.store.add_node("SIT-001-001", "TFQ-001-001-001", "TFQ,851.0125,1,");
    db.store.add_node("SYS-001", "GRP-999-001-000",
                      "TIN,T-Group,TGroupId=1,TrunkId=1,Police,Off,,,,");
    db.files.write_lines(1, 0, {"1,I1234,Patrol,Off,digital,Law Dispatch,30,-3,9,15,,,,,Any"});
    EXPECT_FALSE(db.store.exists("MCP-001-001"));
    EXPECT_EQ(
        body(db.written()),
        (std::vector<std::string>{
            tabs("Trunk|||Metro|Off|01/01/2010 10:00:00|Motorola|On|Off|3|Ignore|Srch"),
            tabs("AreaState|TrunkId=1|StateId=0"), tabs("AreaCounty|TrunkId=1|CountyId=0"),
            tabs("FleetMap|TrunkId=1|A|C|0|0|0|0|0|1"), tabs("UnitIds|||No Tag|1001|7|Auto"),
            tabs("Site|SiteId=5|TrunkId=1|North|Off|0.000000|-0.000000|0.0|FM|Custom|Narrow|Circle|"
                 "On"),
            tabs("BandPlan_Mot|SiteId=5|851025000|854000000|25000|440|851012500|868987500|25000|0|"
                 "0|0|25000|0|0|0|25000|0|0|0|25000|0|0|0|25000|0"),
            tabs("T-Freq|TFreqId=0|SiteId=5||Off|851012500|1|Srch"),
            tabs("T-Group|TGroupId=7|TrunkId=1|Police|Off|0.000000|-0.000000|0.0|Circle"),
            tabs("TGID|||Patrol|Off|i1234|DIGITAL|2|30|-3|9|15|Off|On|Off|Off|Srch")}));
    // The missing plan of a custom site is created with the default plan.
    EXPECT_EQ(db.text("MCP-001-001"), templates::bandplan_default);
}

TEST(HpdWriter, DefaultFleetMapsAreLeftOutAndOneSystemCanBeWrittenAlone) {
    Db db;
    motorola(db, std::string(templates::fleet_map_default));
    auto lines = db.written();
    for (const auto& l : lines) EXPECT_FALSE(starts_with(l, "FleetMap"));

    Db nine;
    for (int i = 1; i <= 9; ++i)
        nine.store.add_node("", "SYS-" + fmt3(i), new_conventional_system("S" + std::to_string(i)));
    auto five = nine.written(5);
    ASSERT_EQ(five.size(), 5u);
    EXPECT_EQ(five[2],
              tabs("Conventional|CountyId=5|StateId=0|S5|Off|01/01/2010 10:00:00|Conventional"));
}

TEST(HpdWriter, SavingIndividualSystemsMakesOneFilePerTickedSystem) {
    Db db;
    db.store.add_node("", "SYS-001", new_conventional_system("A"));
    db.store.add_node("", "SYS-002", new_conventional_system("B"));
    EXPECT_TRUE(
        save_individual_systems(db.dir.path(), {}, db.store, db.files, db.prompter, no_progress())
            .empty());
    EXPECT_EQ(db.prompter.told.back(), "Please select one or more systems.");
    auto written = save_individual_systems(db.dir.path(), {{1, "Harbor/North"}, {2, "B"}}, db.store,
                                           db.files, db.prompter, no_progress());
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(std::filesystem::path(written[0]).filename(), "Harbor_North.hpd");
    EXPECT_TRUE(
        starts_with(std::filesystem::path(written[0]).parent_path().filename().string(), "Saved"));
    auto lines = read_lines(written[1]);
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_NE(lines[2].find("\tB\t"), std::string::npos);
}

TEST(HpdWriter, SavedFolderStampIsDateAndFractionOfTheDay) {
    std::tm noon{};
    noon.tm_year = 126;
    noon.tm_mon = 11;
    noon.tm_mday = 6;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    auto t = std::chrono::system_clock::from_time_t(std::mktime(&noon));
    EXPECT_EQ(saved_folder_stamp(t), "12062026_50000");
}
