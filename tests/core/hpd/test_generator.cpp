// The large-database generator the benchmarks use: it must produce what was asked for, in the
// exact form saving writes, within the store's node limit.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "../../../tools/hpd_generator.h"
#include "hpd_fixture.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

hpdgen::Options options(int systems, int groups, long long rows, std::uint64_t seed = 1) {
    hpdgen::Options o;
    o.systems = systems;
    o.groups = groups;
    o.rows = rows;
    o.seed = seed;
    return o;
}

std::map<std::string, int> lines_by_kind(const std::string& text) {
    std::map<std::string, int> kinds;
    for (const auto& line : split(text, '\n')) {
        if (line.empty()) continue;
        kinds[line.substr(0, line.find('\t'))]++;
    }
    return kinds;
}

}  // namespace

TEST(HpdGenerator, WritesTheRequestedSystemsGroupsAndRowsWithEveryTrunkedType) {
    hpdgen::Counts c;
    std::string text = hpdgen::generate_hpd_text(options(40, 300, 6000), &c);
    auto kinds = lines_by_kind(text);
    EXPECT_EQ(kinds["Conventional"] + kinds["Trunk"], 40);
    EXPECT_EQ(kinds["C-Group"] + kinds["T-Group"], 300);
    EXPECT_EQ(kinds["C-Freq"] + kinds["TGID"], 6000);
    EXPECT_EQ(kinds["C-Freq"], c.channels);
    EXPECT_EQ(kinds["Site"], c.sites);
    EXPECT_EQ(kinds["T-Freq"], c.site_frequencies);
    EXPECT_EQ(kinds["UnitIds"], c.unit_ids);
    EXPECT_GT(kinds["FleetMap"], 0);
    EXPECT_GT(kinds["BandPlan_Mot"], 0);
    for (size_t t = 0; t < hpdgen::k_trunk_words.size(); ++t)
        EXPECT_GT(c.trunked_by_type[t], 0) << hpdgen::k_trunk_words[t];
    EXPECT_EQ(c.bytes, static_cast<long long>(text.size()));
}

TEST(HpdGenerator, EveryLineHasTheFieldCountOfItsKindAndEndsInCrLf) {
    const std::map<std::string, size_t> fields = {
        {"Conventional", 7}, {"AreaState", 3},     {"AreaCounty", 3}, {"C-Group", 9},
        {"C-Freq", 18},      {"Trunk", 12},        {"FleetMap", 10},  {"UnitIds", 7},
        {"Site", 13},        {"BandPlan_Mot", 26}, {"T-Freq", 8},     {"T-Group", 9},
        {"TGID", 17}};
    std::string text = hpdgen::generate_hpd_text(options(30, 120, 2000, 3));
    ASSERT_TRUE(starts_with(text, "TargetModel HomePatrol-1\r\nFormatVersion   2.03\r\n"));
    auto lines = split(text, '\n');
    ASSERT_EQ(lines.back(), "");
    lines.pop_back();
    for (size_t i = 2; i < lines.size(); ++i) {
        ASSERT_TRUE(lines[i].ends_with('\r')) << "line " << i + 1;
        auto parts = split(lines[i].substr(0, lines[i].size() - 1), '\t');
        ASSERT_TRUE(fields.count(parts[0])) << lines[i];
        EXPECT_EQ(parts.size(), fields.at(parts[0])) << lines[i];
    }
}

TEST(HpdGenerator, ReadsIntoTheNodesItCountedAndSavesBackToTheSameBytes) {
    // A tight node limit turns trunked systems conventional rather than overflow the store.
    for (auto o : {options(25, 150, 3000, 7), options(40, 500, 4000, 2)}) {
        if (o.groups == 500) o.max_nodes = 560;
        Db db;
        auto path = db.dir / "gen.hpd";
        hpdgen::Counts c = hpdgen::generate_hpd(path, o);
        auto stats = read_hpd(path, db.store, db.files, 0, 0, no_progress());
        EXPECT_EQ(static_cast<int>(db.store.size()), c.store_nodes);
        EXPECT_LE(c.store_nodes, o.max_nodes);
        EXPECT_EQ(stats.channels + stats.talkgroups, o.rows);
        std::string again;
        for (const auto& line : db.written()) again += line + "\r\n";
        EXPECT_EQ(first_difference(again, read_file(path)), "") << "seed " << o.seed;
    }
}

TEST(HpdGenerator, TheSameSeedGivesTheSameFileAndAnotherSeedAnother) {
    EXPECT_EQ(hpdgen::generate_hpd_text(options(12, 40, 500, 4)),
              hpdgen::generate_hpd_text(options(12, 40, 500, 4)));
    EXPECT_NE(hpdgen::generate_hpd_text(options(12, 40, 500, 4)),
              hpdgen::generate_hpd_text(options(12, 40, 500, 5)));
}

TEST(HpdGenerator, RefusesWhatTheStoreCannotHoldAndWritesNothing) {
    TempDir dir;
    auto path = dir / "never.hpd";
    for (auto o : {options(0, 0, 0), options(1000, 1000, 0), options(2, 801, 0),
                   options(2, 2, 20000), options(2, 0, 5), options(999, 29002, 0)}) {
        EXPECT_NE(hpdgen::check_options(o), "");
        EXPECT_THROW(hpdgen::generate_hpd(path, o), std::invalid_argument);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_THROW(hpdgen::generate_hpd(dir / "missing" / "x.hpd", options(2, 2, 2)),
                 std::runtime_error);
    EXPECT_EQ(hpdgen::check_options(options(999, 29001, 290000)), "");
}
