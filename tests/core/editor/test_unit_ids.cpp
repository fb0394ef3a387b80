// The unit-ID editor's data: grid from the store, store from the grid, the list file both ways.
#include "core/editor/unit_ids.h"

#include <gtest/gtest.h>

#include "core/base/progress.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/hpd/hpd_reader.h"
#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

using namespace tarvex;
using tarvex::test::TempDir;

namespace {

struct UnitIds : ::testing::Test {
    TempDir dir;
    RecordingPrompter prompter;
    SystemStore store{prompter};
    GroupFiles files{dir / "run"};

    // The bundled sample: system 1 conventional, 2 Motorola with five unit IDs, 3 P25 with two.
    void read_sample() {
        auto stats = read_hpd(test::resources_dir() / "sample" / "sample.hpd", store, files, 0, 0,
                              no_progress());
        ASSERT_TRUE(stats.opened);
    }
    std::vector<std::vector<std::string>> rows(const TextGrid& g) {
        std::vector<std::vector<std::string>> out;
        for (int r = 1; r < g.rows(); ++r)
            if (!g.at(r, 1).empty()) out.push_back(g.row(r));
        return out;
    }
    TextGrid grid_of(const std::vector<std::vector<std::string>>& data) {
        TextGrid g(k_min_grid_rows, 5);
        for (size_t r = 0; r < data.size(); ++r)
            for (size_t c = 0; c < data[r].size(); ++c)
                g.at(static_cast<int>(r) + 1, static_cast<int>(c) + 1) = data[r][c];
        g.number_rows();
        return g;
    }
};

}  // namespace

TEST_F(UnitIds, ShowFillsTheGridInStoreOrderAndAnEmptySystemShowsAnEmptyGrid) {
    read_sample();
    TextGrid g;
    ASSERT_TRUE(show_unit_ids(store, 2, g, prompter));
    auto r = rows(g);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0],
              (std::vector<std::string>{"1", "1001", "HC Dispatch Console 1", "Off", "Auto"}));
    EXPECT_EQ(r[2], (std::vector<std::string>{"3", "2112", "Sheriff Car 12", "4", "10"}));
    EXPECT_EQ(g.at(0, 1), "Unit ID");
    EXPECT_GE(g.rows(), k_min_grid_rows);

    ASSERT_TRUE(show_unit_ids(store, 4, g, prompter));  // EDACS system: no unit IDs
    EXPECT_TRUE(rows(g).empty());
    EXPECT_TRUE(prompter.told.empty());
    EXPECT_FALSE(show_unit_ids(store, 0, g, prompter));
    EXPECT_FALSE(show_unit_ids(store, 77, g, prompter));
    EXPECT_EQ(prompter.told,
              (std::vector<std::string>{"Please select a system", "Please select a system"}));
}

TEST_F(UnitIds, SaveStoresTheRowsWithAUnitIdInGridOrderUnderTheHolder) {
    read_sample();
    TextGrid g = grid_of({{"5001", "Car, One", "2", "Auto"},
                          {"", "no ID: not stored", "Off", "Auto"},
                          {"5003", "Car 3", "Off", "7"}});
    EXPECT_EQ(save_unit_ids(store, 2, g, prompter), 2);
    const std::string holder = keys::unit_id_holder(2);
    EXPECT_EQ(store.child_keys(holder),
              (std::vector<std::string>{"UDD-002-00-0001", "UDD-002-00-0002"}));
    EXPECT_EQ(store.get_node_text("UDD-002-00-0001"), "UID,5001,Car; One,2,Auto");
    EXPECT_EQ(store.get_node_text("UDD-002-00-0002"), "UID,5003,Car 3,Off,7");
    EXPECT_EQ(store.parent_key(holder), keys::system(2));

    // An empty grid leaves only the holder.
    TextGrid empty = grid_of({});
    EXPECT_EQ(save_unit_ids(store, 2, empty, prompter), 0);
    EXPECT_TRUE(store.exists(holder));
    EXPECT_TRUE(store.child_keys(holder).empty());

    // A conventional system keeps no unit IDs.
    EXPECT_EQ(save_unit_ids(store, 1, g, prompter), -1);
    EXPECT_EQ(prompter.told.back(), "Unit IDs belong to trunked systems.");
    EXPECT_FALSE(store.exists(keys::unit_id_holder(1)));
}

TEST_F(UnitIds, AListFileWrittenAndReadBackGivesTheSameRowsInTheSameOrder) {
    TextGrid g = grid_of({{"1001", "Dispatch", "Off", "Auto"},
                          {"", "skipped", "3", "3"},
                          {"i2002", "Car, 2", "9", "15"},
                          {"3003", "", "Off", "Auto"}});
    const auto file = dir / "units.txt";
    ASSERT_TRUE(write_unit_id_list(file, g, prompter));
    EXPECT_EQ(test::read_file(file),
              "TargetModel HomePatrol-1\r\nTARVEX UID LIST V=1.00\r\n1,1001,Dispatch,Off,Auto\r\n"
              "3,i2002,Car; 2,9,15\r\n4,3003,,Off,Auto\r\n");

    TextGrid back(k_min_grid_rows, 5);
    back.at(1, 1) = "left over";
    ASSERT_TRUE(read_unit_id_list(file, back, prompter));
    auto r = rows(back);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], (std::vector<std::string>{"1", "1001", "Dispatch", "Off", "Auto"}));
    EXPECT_EQ(r[1], (std::vector<std::string>{"2", "i2002", "Car; 2", "9", "15"}));
    EXPECT_EQ(r[2], (std::vector<std::string>{"3", "3003", "", "Off", "Auto"}));
    EXPECT_TRUE(prompter.told.empty());

    EXPECT_FALSE(write_unit_id_list("", g, prompter));
}

TEST_F(UnitIds, FilesThatAreNoListAreRefusedAndTheGridKeepsItsRows) {
    TextGrid g = grid_of({{"1001", "Keep me", "Off", "Auto"}});
    const TextGrid before = g;
    struct Case {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"hpd.txt", "TargetModel HomePatrol-1\r\nFormatVersion\t2.03\r\nTrunk\t\t\tX\r\n"},
        {"empty.txt", ""},
        {"one.txt", "TargetModel HomePatrol-1\r\n"},
    };
    for (const Case& c : cases) {
        test::write_file(dir / c.name, c.bytes);
        prompter.told.clear();
        EXPECT_FALSE(read_unit_id_list(dir / c.name, g, prompter)) << c.name;
        EXPECT_EQ(prompter.told.size(), 1u) << c.name;
        EXPECT_EQ(rows(g), rows(before)) << c.name;
    }
    EXPECT_FALSE(read_unit_id_list(dir / "missing.txt", g, prompter));

    // Blank lines and fields beyond the grid are dropped; a bare LF file reads the same.
    test::write_file(dir / "lf.txt",
                     "TargetModel HomePatrol-1\nTARVEX UID LIST V=1.00\n\n7,42,Tag,1,2,extra\n");
    ASSERT_TRUE(read_unit_id_list(dir / "lf.txt", g, prompter));
    EXPECT_EQ(rows(g), (std::vector<std::vector<std::string>>{{"1", "42", "Tag", "1", "2"}}));
}
