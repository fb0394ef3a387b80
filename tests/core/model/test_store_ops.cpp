#include "core/model/store_ops.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

using namespace tarvex;
using tarvex::test::TempDir;

namespace {

class StoreOps : public ::testing::Test {
  protected:
    TempDir dir;
    GroupFiles files{dir.path()};
    RecordingPrompter prompter;
    SystemStore store{prompter};

    // A Motorola system: two sites with frequencies, a bandplan for site 1, groups 0 and 3
    // with channel files, its store-only records, a fleet map and two unit IDs.
    void add_motorola(int s) {
        std::string sys = keys::system(s);
        store.add_node("", sys, new_trunked_system("Motorola", "County"));
        store.add_node(sys, keys::site(s, 1), std::string(templates::new_site_custom));
        store.add_node(keys::site(s, 1), keys::site_frequency(s, 1, 1), "TFQ,851.0125,1,");
        store.add_node(keys::site(s, 1), keys::site_frequency(s, 1, 2), "TFQ,852.0125,2,");
        store.add_node(sys, keys::site(s, 2), "SIF,Site,SiteId=2,TrunkId=1,North");
        store.add_node(keys::site(s, 2), keys::site_frequency(s, 2, 1), "TFQ,853.0125,1,");
        store.add_node(sys, keys::bandplan(s, 1), std::string(templates::bandplan_default));
        for (int g : {0, 3}) {
            store.add_node(sys, keys::group(s, g), new_group("Group " + std::to_string(g)));
            files.write_lines(s, g, {"1,10" + std::to_string(g) + ",Tag"});
        }
        store.add_node(sys, keys::trunk_settings(s), std::string(templates::trunk_settings));
        store.add_node(sys, keys::quick_keys(s), std::string(templates::quick_key_list));
        store.add_node(sys, keys::abp(s), std::string(templates::abp));
        store.add_node(sys, keys::fleet_map(s), "FMP,1,2,3,4,5,6,7,8");
        store.add_node(sys, keys::unit_id_holder(s), "UID,UID Editor");
        store.add_node(keys::unit_id_holder(s), keys::unit_id(s, 0), "UID,i100,Chief,Off,Auto");
        store.add_node(keys::unit_id_holder(s), keys::unit_id(s, 1), "UID,i101,Deputy,Off,Auto");
        store.system_slot(s, k_slot_name) = "County";
        store.system_slot(s, k_slot_type_code) = "1";
    }

    // Key prefixes of one system's nodes in store order.
    std::vector<std::string> prefixes_of(int s) const {
        std::vector<std::string> out;
        for (auto id = store.first_in_store(); id != SystemStore::npos;
             id = store.next_in_store(id)) {
            const std::string& k = store.key_of(id);
            if ((starts_with(k, "GRP-") ? keys::group_system_of(k) : keys::system_of(k)) == s)
                out.push_back(k.substr(0, 4));
        }
        return out;
    }
};

}  // namespace

TEST_F(StoreOps, DeleteSystemRemovesEverythingOfThatSystemOnly) {
    add_motorola(1);
    add_motorola(2);
    store.mark_changed(1);
    store.group_slot(1, 3, 0) = "x";
    store.current_system = 1;
    delete_system(store, files, 1);
    EXPECT_TRUE(prefixes_of(1).empty());
    EXPECT_EQ(prefixes_of(2).size(), store.size());
    EXPECT_FALSE(files.exists(1, 0));
    EXPECT_FALSE(files.exists(1, 3));
    EXPECT_TRUE(files.exists(2, 3));
    EXPECT_EQ(store.change_counter(1), 0);
    EXPECT_EQ(store.system_slot(1, k_slot_name), "");
    EXPECT_EQ(store.system_type_code(1), "");
    EXPECT_EQ(store.system_slot(2, k_slot_name), "County");
    EXPECT_EQ(store.group_slot(1, 3, 0), "");
    EXPECT_EQ(store.current_system, 0);
}

TEST_F(StoreOps, DeleteSiteAndDeleteGroupTakeWhatBelongsToThem) {
    add_motorola(1);
    delete_site(store, 1, 1);
    for (const char* k : {"SIT-001-001", "TFQ-001-001-002", "MCP-001-001"})
        EXPECT_FALSE(store.exists(k)) << k;
    EXPECT_TRUE(store.exists("TFQ-001-002-001"));

    store.group_slot(1, 3, 6) = "x";
    delete_group(store, files, 1, 3);
    EXPECT_FALSE(store.exists("GRP-999-001-003"));
    EXPECT_FALSE(files.exists(1, 3));
    EXPECT_TRUE(files.exists(1, 0));
    EXPECT_EQ(store.group_slot(1, 3, 6), "");
}

TEST_F(StoreOps, PasteSystemCopiesEveryRecordUnderTheNewIndex) {
    add_motorola(1);
    add_motorola(3);
    ASSERT_EQ(paste_system(store, files, 1), 2);
    // Sites, bandplans, groups and the store-only records first, frequencies and unit IDs last.
    EXPECT_EQ(prefixes_of(2), (std::vector<std::string>{
                                  "SYS-", "SIT-", "SIT-", "MCP-", "GRP-", "GRP-", "TRN-", "QGL-",
                                  "ABP-", "FMP-", "UID-", "TFQ-", "TFQ-", "TFQ-", "UDD-", "UDD-"}));
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id)) {
        const std::string& k = store.key_of(id);
        if (keys::system_of(k) != 1 && !starts_with(k, "GRP-999-001-")) continue;
        std::string copy = keys::with_system(k, 2);
        EXPECT_EQ(store.get_node_text(copy), store.text_of(id)) << copy;
        EXPECT_EQ(store.parent_key(copy), keys::with_system(store.parent_key(k), 2)) << copy;
    }
    EXPECT_TRUE(store.exists("GRP-999-002-003"));
    EXPECT_EQ(store.parent_key("TFQ-002-002-001"), "SIT-002-002");
    EXPECT_EQ(files.read_lines(2, 3), std::vector<std::string>{"1,103,Tag"});
    EXPECT_EQ(files.read_lines(1, 3), std::vector<std::string>{"1,103,Tag"});
    EXPECT_EQ(store.system_slot(2, k_slot_in_use), "1");
    EXPECT_EQ(store.system_type_code(2), "1");
}

TEST_F(StoreOps, PasteSiteRenumbersItsFrequenciesAndLeavesTheBandplan) {
    add_motorola(1);
    store.add_node("", "SYS-004", new_trunked_system("Motorola", "Target"));
    store.add_node("SYS-004", keys::site(4, 1), "SIF,Site");
    ASSERT_EQ(paste_site(store, 1, 4, 1), 2);
    EXPECT_EQ(store.parent_key("SIT-004-002"), "SYS-004");
    EXPECT_EQ(store.get_node_text("SIT-004-002"), templates::new_site_custom);
    EXPECT_EQ(store.child_keys("SIT-004-002"),
              (std::vector<std::string>{"TFQ-004-002-001", "TFQ-004-002-002"}));
    EXPECT_EQ(store.get_node_text("TFQ-004-002-002"), "TFQ,852.0125,2,");
    EXPECT_FALSE(store.exists("MCP-004-002"));
}

TEST_F(StoreOps, PasteGroupCopiesItsFileToTheNextFreeIndex) {
    add_motorola(1);
    add_motorola(2);
    ASSERT_EQ(paste_group(store, files, 1, 2, 3), 1);
    EXPECT_EQ(store.get_node_text("GRP-999-002-001"), new_group("Group 3"));
    EXPECT_EQ(store.parent_key("GRP-999-002-001"), "SYS-002");
    EXPECT_EQ(files.read_lines(2, 1), std::vector<std::string>{"1,103,Tag"});
}

TEST_F(StoreOps, NothingIsPastedWithoutACopyOrAFreeIndex) {
    add_motorola(1);
    for (int g = 0; g < 400; ++g) store.add_node("SYS-001", keys::group(1, g), "GIN");
    const size_t before = store.size();
    EXPECT_EQ(paste_system(store, files, 0), std::nullopt);
    EXPECT_EQ(paste_system(store, files, 7), std::nullopt);
    EXPECT_EQ(paste_site(store, 0, 1, 1), std::nullopt);
    EXPECT_EQ(paste_site(store, 1, 1, 0), std::nullopt);
    EXPECT_EQ(paste_group(store, files, 1, 1, 400), std::nullopt);
    EXPECT_EQ(paste_group(store, files, 1, 1, 3), std::nullopt);  // all 400 taken
    EXPECT_EQ(store.size(), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
    EXPECT_TRUE(prompter.told.empty());

    // With no system clicked the index routine says so.
    EXPECT_EQ(paste_site(store, 1, 0, 1), std::nullopt);
    EXPECT_EQ(paste_group(store, files, 1, 0, 3), std::nullopt);
    EXPECT_EQ(prompter.told, (std::vector<std::string>{"error: set sys index!",
                                                       "error: please click on a system first"}));

    for (int s = 2; s <= 999; ++s) store.add_node("", keys::system(s), "SIN,LTR");
    EXPECT_EQ(paste_system(store, files, 1), std::nullopt);
    EXPECT_EQ(store.size(), before + 998);
}

TEST_F(StoreOps, GroupLocationListHoldsCleanedNamesOfGroupsWithBothCoordinates) {
    store.add_node("", "SYS-001", "SIN,Conventional");
    int g = 0;
    auto group = [&](const std::string& name, const std::string& lat, const std::string& lon) {
        store.add_node("SYS-001", keys::group(1, g++),
                       "GIN,C-Group,,," + name + ",Off," + lat + "," + lon + ",5.0,Circle");
    };
    group("Fire;EMS {North} O'Hare", "41.978600", "-87.904700");
    group("No longitude", "41.0", "");
    group("No latitude", "", "-87.0");
    group("Plain", "40.0", "-88.0");
    auto rows = build_group_location_list(store);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Fire/EMS  North  O Hare");
    EXPECT_EQ(rows[0].latitude, "41.978600");
    EXPECT_EQ(rows[0].longitude, "-87.904700");
    EXPECT_EQ(rows[1].name, "Plain");
}

TEST_F(StoreOps, GroupLocationListStopsAt5000Rows) {
    for (int s = 1; s <= 13; ++s) {
        store.add_node("", keys::system(s), "SIN,Conventional");
        for (int g = 0; g < 400; ++g)
            store.add_node(keys::system(s), keys::group(s, g),
                           "GIN,C-Group,,,G" + std::to_string(s * 1000 + g) + ",Off,1.0,2.0");
    }
    auto rows = build_group_location_list(store);
    ASSERT_EQ(rows.size(), 5000u);
    EXPECT_EQ(rows.back().name, "G13199");  // store order: 12 full systems, then 200 more
}
