// Uniden's master database: the state index, the line store of a state file and importing
// ticked systems into the store.
#include <gtest/gtest.h>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/hpd/hpd_writer.h"
#include "core/masterdb/hpdb_index.h"
#include "core/masterdb/line_store.h"
#include "core/model/group_files.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

namespace tarvex::test {
namespace {

namespace fs = std::filesystem;

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (auto l : lines) out += replace_all(l, "|", "\t") + "\r\n";
    return out;
}

struct MasterDb : ::testing::Test {
    TempDir db;
    TempDir run;
    RecordingPrompter prompter;
    GroupFiles files{run / "temp"};
    SystemStore store{prompter};
    MasterLineStore lines;

    void SetUp() override {
        write_file(db / "HPDB.config",
                   crlf({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                         "DateModified|06/09/2024", "StateInfo|StateId=6|CountryId=1|California|CA",
                         "CountyInfo|CountyId=1|StateId=6|Alameda",
                         "StateInfo|StateId=12|CountryId=1|Florida|FL"}));
        write_file(
            db / "s_000006.hpd",
            crlf({"TargetModel|HomePatrol-1", "FormatVersion|2.04",
                  "Conventional|CountyId=183|StateId=6|Alameda|Off||Conventional",
                  "AreaState|CountyId=183|StateId=6", "AreaCounty|CountyId=183|CountyId=183",
                  "C-Group|CGroupId=1|CountyId=183|Fire, EMS|Off|37.7|-121.9|25.0|Circle",
                  "C-Freq|CFreqId=1|CGroupId=1|Tac 4|Off|154070000|NFM|TONE=C131.8|8",
                  "C-Freq|CFreqId=2|CGroupId=1|Tac 5|Off|154235000|NFM|TONE=C131.8|8",
                  "Rectangle|CGroupId=1|38.0|-122.0|37.0|-121.0",
                  "Trunk|TrunkId=7|StateId=6|Acumen|Off||Ltr|||||", "AreaState|TrunkId=7|StateId=6",
                  "Site|SiteId=9|TrunkId=7|Oat Mountain|Off|34.3|-118.6|25.0|Auto|Circle|0",
                  "T-Freq|TFreqId=1|SiteId=9||Off|852212500|1|", "BandPlan_P25|SiteId=9|0|0",
                  "Surprise|line", "T-Group|TGroupId=3|TrunkId=7|Users|Off|34.3|-118.6|25.0|Circle",
                  "TGID|Tid=1|TGroupId=3|Dispatch|Off|1-01|FM|2|Off|2|0|Off|Auto"}));
    }
};

TEST_F(MasterDb, TheIndexListsEveryStateWithItsFile) {
    HpdbIndex index = read_hpdb_index(db.path());
    ASSERT_TRUE(index.opened);
    ASSERT_EQ(index.states.size(), 2u);
    EXPECT_EQ(index.states[1].number, 12);
    EXPECT_EQ(index.states[1].name, "Florida");
    EXPECT_EQ(index.states[1].file_name, "s_000012.hpd");
    TempDir none;
    EXPECT_FALSE(read_hpdb_index(none.path()).opened);
    EXPECT_EQ(k_no_database,
              "Database or Sentinel not found, please install Sentinel software first");
}

TEST_F(MasterDb, TheLineStoreKeepsKnownKindsUnderTheirPrefixes) {
    ASSERT_TRUE(lines.load(db / "s_000006.hpd", no_progress()));
    std::vector<std::string> keys;
    for (const auto& l : lines.lines()) keys.push_back(l.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"SYSC-0001", "CGRP-0001-0001", "FREQ-0001-0002",
                                              "FREQ-0001-0003", "SYST-0002", "SITE-0002-0001",
                                              "TFRE-0002-0002", "DUMM-00001", "TGRP-0002-0003",
                                              "TGID-0002-0004"}));
    EXPECT_EQ(lines.lines()[1].text,
              "C-Group,CGroupId=1,CountyId=183,Fire; EMS,Off,37.7,-121.9,25.0,Circle");
    ASSERT_EQ(lines.systems().size(), 2u);
    EXPECT_EQ(lines.systems()[0].text, "Conventional: Alameda");
    EXPECT_EQ(lines.systems()[0].first_group, "Fire; EMS");
    EXPECT_EQ(lines.systems()[0].data, "1 group, 2 channels");
    EXPECT_EQ(lines.systems()[1].text, "Trunk: Acumen / Ltr");
    EXPECT_EQ(lines.systems()[1].kind, "Trunk");
}

TEST_F(MasterDb, ATickedSystemImportsAllItsLinesAndNoOthers) {
    lines.load(db / "s_000006.hpd", no_progress());
    EXPECT_FALSE(lines.import(store, files, prompter, no_progress()).opened);  // nothing ticked
    EXPECT_TRUE(store.empty());
    lines.tick(1, true);
    ReadStats stats = lines.import(store, files, prompter, no_progress());
    ASSERT_TRUE(stats.opened);
    auto written = read_lines(files.folder() / "import.hpd");
    EXPECT_EQ(
        written,
        (std::vector<std::string>{
            "TargetModel HomePatrol-1", "FormatVersion\t2.04",
            "Trunk\tTrunkId=7\tStateId=6\tAcumen\tOff\t\tLtr\t\t\t\t\t",
            "Site\tSiteId=9\tTrunkId=7\tOat Mountain\tOff\t34.3\t-118.6\t25.0\tAuto\tCircle\t0",
            "T-Freq\tTFreqId=1\tSiteId=9\t\tOff\t852212500\t1\t",
            "T-Group\tTGroupId=3\tTrunkId=7\tUsers\tOff\t34.3\t-118.6\t25.0\tCircle",
            "TGID\tTid=1\tTGroupId=3\tDispatch\tOff\t1-01\tFM\t2\tOff\t2\t0\tOff\tAuto"}));
    EXPECT_EQ(stats.trunked_systems, 1);
    EXPECT_EQ(stats.talkgroups, 1);
    remove_import_file(files.folder());
    EXPECT_FALSE(fs::exists(files.folder() / "import.hpd"));
}

TEST_F(MasterDb, ImportingTwiceAddsTheSystemTwiceUnderNewIndexes) {
    lines.load(db / "s_000006.hpd", no_progress());
    lines.tick(0, true);
    lines.import(store, files, prompter, no_progress());
    ReadStats again = lines.import(store, files, prompter, no_progress());
    EXPECT_EQ(again.systems_added, 1);
    EXPECT_TRUE(store.exists("SYS-001") && store.exists("SYS-002"));
    EXPECT_EQ(files.read_lines(2, 0).size(), 2u);
    for (const auto& l : read_lines(files.folder() / "import.hpd")) {
        EXPECT_FALSE(starts_with(l, "AreaCounty")) << l;
        EXPECT_FALSE(starts_with(l, "Rectangle")) << l;
    }
}

TEST_F(MasterDb, AMissingStateFileLeavesTheListsEmpty) {
    lines.load(db / "s_000006.hpd", no_progress());
    EXPECT_FALSE(lines.load(db / "s_000012.hpd", no_progress()));
    EXPECT_TRUE(lines.lines().empty());
    EXPECT_TRUE(lines.systems().empty());
}

// ---- the real master database ----

struct RealMasterDb : ::testing::Test {
    fs::path folder;
    void SetUp() override {
        if (samples_dir().empty() || !fs::exists(samples_dir() / "hpdb" / "HPDB.config"))
            GTEST_SKIP() << "no sample master database";
        folder = samples_dir() / "hpdb";
    }
};

TEST_F(RealMasterDb, EveryStateInfoLineIsListed) {
    HpdbIndex index = read_hpdb_index(folder);
    auto raw = read_lines(folder / "HPDB.config");
    size_t state_lines = 0;
    for (const auto& l : raw) state_lines += starts_with(l, "StateInfo");
    EXPECT_EQ(index.states.size(), state_lines);
    EXPECT_EQ(index.states.size(), 68u);
    // The eighth entry is state 9 (numbers have gaps): the file opened is the one of its number.
    const StateEntry& eighth = index.states[7];
    EXPECT_EQ(eighth.number, 9);
    MasterLineStore lines;
    ASSERT_TRUE(lines.load(state_file_path(folder, eighth.number), no_progress()));
    ASSERT_FALSE(lines.systems().empty());
    EXPECT_TRUE(contains(lines.lines()[lines.systems()[0].line].text, ",StateId=9,"));
}

TEST_F(RealMasterDb, ATickedSystemBringsAllItsGroupsAndChannels) {
    MasterLineStore lines;
    ASSERT_TRUE(lines.load(state_file_path(folder, 6), no_progress()));
    ASSERT_GT(lines.systems().size(), 10u);
    size_t row = 0;  // the first conventional system with channels
    while (row < lines.systems().size() && (lines.systems()[row].kind != "Conventional" ||
                                            contains(lines.systems()[row].data, " 0 channels")))
        ++row;
    ASSERT_LT(row, lines.systems().size());
    const SystemRow& sys = lines.systems()[row];
    int groups = 0, channels = 0;
    for (size_t i = sys.line; i < sys.end; ++i) {
        groups += lines.lines()[i].kind == LineKind::CGroup;
        channels += lines.lines()[i].kind == LineKind::CFreq;
    }
    TempDir run;
    RecordingPrompter prompter;
    GroupFiles files{run / "temp"};
    SystemStore store{prompter};
    lines.tick(row, true);
    ReadStats stats = lines.import(store, files, prompter, no_progress());
    EXPECT_EQ(stats.systems_added, 1);
    EXPECT_EQ(stats.groups, groups);
    EXPECT_EQ(stats.channels, channels);
    EXPECT_EQ(store.child_keys("SYS-001").size(), static_cast<size_t>(groups));
    long long rows = 0;
    for (int g = 0; g < groups; ++g) rows += static_cast<long long>(files.read_lines(1, g).size());
    EXPECT_EQ(rows, channels);
}

TEST_F(RealMasterDb, AStateWithoutAFileLeavesTheListsEmpty) {
    HpdbIndex index = read_hpdb_index(folder);
    MasterLineStore lines;
    int missing = 0;
    for (const auto& s : index.states) {
        if (fs::exists(folder / s.file_name)) continue;
        ++missing;
        EXPECT_FALSE(lines.load(state_file_path(folder, s.number), no_progress()));
        EXPECT_TRUE(lines.systems().empty());
    }
    EXPECT_EQ(missing, 6);
}

}  // namespace
}  // namespace tarvex::test
