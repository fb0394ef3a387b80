#include "core/model/system_store.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"

using namespace tarvex;

namespace {

class Store : public ::testing::Test {
  protected:
    RecordingPrompter prompter;
    SystemStore store{prompter};

    void add_system(int s) { ASSERT_TRUE(store.add_node("", keys::system(s), "SIN,Motorola")); }
    // System s with site 1 (two frequencies), group 0 and a unit-ID list: seven nodes.
    void add_full_system(int s) {
        add_system(s);
        store.add_node(keys::system(s), keys::site(s, 1), "SIF,Site");
        store.add_node(keys::site(s, 1), keys::site_frequency(s, 1, 1), "TFQ,851.0125,1,");
        store.add_node(keys::site(s, 1), keys::site_frequency(s, 1, 2), "TFQ,852.0125,2,");
        store.add_node(keys::system(s), keys::group(s, 0), new_group("Fire"));
        store.add_node(keys::system(s), keys::unit_id_holder(s), "UID,UID Editor");
        store.add_node(keys::unit_id_holder(s), keys::unit_id(s, 1), "UID,i100,Chief");
    }
};

}  // namespace

TEST(StoreKeys, IndexesAreReadFromFixedCharacterPositions) {
    EXPECT_EQ(keys::site(12, 3), "SIT-012-003");
    EXPECT_EQ(keys::unit_id(7, 12), "UDD-007-00-0012");
    EXPECT_EQ(keys::site_of("MCP-012-004"), 4);
    // A group key's characters 5-7 are the constant "999", never its system.
    EXPECT_EQ(keys::group(12, 5), "GRP-999-012-005");
    EXPECT_EQ(keys::group_system_of("GRP-999-012-005"), 12);
    EXPECT_EQ(keys::group_of("GRP-999-012-005"), 5);
    EXPECT_EQ(keys::with_system("GRP-999-012-005", 7), "GRP-999-007-005");
}

TEST_F(Store, SetNodeTextAddsOnlyAnAbsentTrunkRecordUnderItsSystem) {
    add_system(5);
    EXPECT_TRUE(store.set_node_text("TRN-005", std::string(templates::trunk_settings)));
    EXPECT_EQ(store.parent_key("TRN-005"), "SYS-005");
    EXPECT_EQ(store.get_node_text("TRN-005"), templates::trunk_settings);
    EXPECT_FALSE(store.set_node_text("TRN-006", "TRN,type"));  // no SYS-006
    EXPECT_FALSE(store.set_node_text("QGL-005", "QGL,type,1111111111"));
    EXPECT_EQ(store.size(), 2u);

    EXPECT_TRUE(store.set_node_field("SYS-005", 4, "Bay"));
    EXPECT_EQ(store.get_node_text("SYS-005"), "SIN,Motorola,,,Bay");
    EXPECT_FALSE(store.set_node_field("SYS-002", 4, "Bay"));
}

TEST_F(Store, RemovingANodeTakesItsSubtreeAndFreesItsIndexes) {
    add_full_system(1);
    add_full_system(2);
    store.remove_node("SYS-001");
    EXPECT_EQ(store.size(), 7u);
    for (const char* k : {"SIT-001-001", "TFQ-001-001-002", "GRP-999-001-000", "UDD-001-00-0001"})
        EXPECT_FALSE(store.exists(k)) << k;
    EXPECT_EQ(store.g_n_i("system", 0), 1);
    store.remove_node("SIT-002-001");
    EXPECT_FALSE(store.exists("TFQ-002-001-001"));
    EXPECT_EQ(store.g_n_i("site", 2), 1);

    store.clear_tree();
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.first_in_store(), SystemStore::npos);
    EXPECT_EQ(store.g_n_i("system", 0), 1);
}

TEST_F(Store, ClearChildrenKeepsTheNodeItsTextAndItsParent) {
    add_full_system(3);
    store.clear_children("SIT-003-001");
    EXPECT_EQ(store.get_node_text("SIT-003-001"), "SIF,Site");
    EXPECT_EQ(store.parent_key("SIT-003-001"), "SYS-003");
    EXPECT_TRUE(store.child_keys("SIT-003-001").empty());
    store.clear_children("SYS-003");
    EXPECT_EQ(store.size(), 1u);
    EXPECT_EQ(store.child_keys(""), std::vector<std::string>{"SYS-003"});
    EXPECT_EQ(store.g_n_i("system", 0), 1);
    EXPECT_EQ(store.g_n_i("site", 3), 1);
}

TEST_F(Store, StorePositionIsOneBasedInsertionOrderOverAllNodes) {
    add_full_system(1);
    add_system(2);
    store.add_node("SYS-001", keys::site(1, 2), "SIF,Site");  // added last, under system 1
    EXPECT_EQ(store.store_position("GRP-999-001-000"), 5);
    EXPECT_EQ(store.store_position("SYS-002"), 8);
    EXPECT_EQ(store.store_position("SIT-001-002"), 9);
    EXPECT_EQ(store.store_position("SYS-009"), 0);
    store.remove_node("SIT-001-001");  // with its two frequencies
    EXPECT_EQ(store.store_position("GRP-999-001-000"), 2);
    EXPECT_EQ(store.store_position("SIT-001-002"), 6);
    store.add_node("SYS-002", keys::group(2, 0), "GIN");
    EXPECT_EQ(store.store_position("GRP-999-002-000"), 7);
}

TEST_F(Store, IndexesFillTheFirstGapPerSystemWithinTheirLimits) {
    EXPECT_EQ(store.g_n_i("system", 0), 1);
    EXPECT_EQ(store.system_slot(1, k_slot_in_use), "1");
    for (int s : {1, 2, 4, 13}) add_system(s);
    EXPECT_EQ(store.g_n_i("system", 0), 3);
    store.add_node("SYS-001", "SYS-003", "x");  // a "SYS-" key below the root is no system
    EXPECT_EQ(store.g_n_i("system", 0), 3);

    store.add_node("SYS-013", keys::site(13, 1), "SIF");
    EXPECT_EQ(store.g_n_i("site", 4), 1);
    EXPECT_EQ(store.g_n_i("site", 13), 2);
    for (int g = 0; g < 6; ++g) store.add_node("SYS-004", keys::group(4, g), "GIN");
    EXPECT_EQ(store.g_n_i("group", 13), 0);
    store.remove_node("GRP-999-004-004");
    EXPECT_EQ(store.g_n_i("group", 4), 4);
    // The 401st group of a system cannot be created.
    for (int g = 0; g < 400; ++g) store.add_node("SYS-013", keys::group(13, g), "GIN");
    EXPECT_EQ(store.g_n_i("group", 13), std::nullopt);
    EXPECT_TRUE(prompter.told.empty());
}

TEST_F(Store, EveryAcceptedSpellingOfAKindWorksAndOthersTellTheUser) {
    add_system(2);
    for (const char* k : {"system", "SYSTEM", "SYS", "sys"}) EXPECT_EQ(store.g_n_i(k, 0), 1) << k;
    for (const char* k : {"site", "SITE", "SIT", "sit"}) EXPECT_EQ(store.g_n_i(k, 2), 1) << k;
    for (const char* k : {"group", "GROUP", "grp", "GRP"}) EXPECT_EQ(store.g_n_i(k, 2), 0) << k;
    EXPECT_TRUE(prompter.told.empty());

    EXPECT_EQ(store.g_n_i("site", 0), std::nullopt);
    EXPECT_EQ(store.g_n_i("group", 0), std::nullopt);
    EXPECT_EQ(store.g_n_i("Site", 2), std::nullopt);
    EXPECT_EQ(prompter.told, (std::vector<std::string>{"error: set sys index!",
                                                       "error: please click on a system first",
                                                       "error in routine g_n_i"}));
}

TEST_F(Store, MoreThan30000NodesHandOutNoIndex) {
    add_system(1);
    for (int n = 1; n < 30000; ++n)
        store.add_node("SYS-001", "TFQ-001-001-" + std::to_string(n), "TFQ");
    EXPECT_EQ(store.g_n_i("system", 0), 2);
    store.add_node("SYS-001", "TFQ-001-001-x", "TFQ");
    for (const char* k : {"system", "site", "group", "nonsense"})
        EXPECT_EQ(store.g_n_i(k, 1), std::nullopt) << k;
    EXPECT_EQ(prompter.told, std::vector<std::string>(4, "ERROR: Out of storage space"));
}

TEST_F(Store, GroupSlotsAndChangeCountersAreClearedSelectively) {
    for (int slot = 0; slot < k_group_slots; ++slot) store.group_slot(4, 7, slot) = "v";
    store.group_slot(4, 8, 1) = "other";
    store.clear_group_slots(4, 7, 1, 6);
    EXPECT_EQ(store.group_slot(4, 7, 0), "v");
    EXPECT_EQ(store.group_slot(4, 7, 6), "");
    EXPECT_EQ(store.group_slot(4, 8, 1), "other");

    store.mark_changed(4);
    store.mark_changed(5);
    store.reset_change_counter(4);
    EXPECT_EQ(store.change_counter(5), 1);
    store.reset_all_change_counters();
    EXPECT_EQ(store.change_counter(5), 0);
    store.system_slot(1000, 1) = "x";  // outside the table: harmless
    EXPECT_EQ(store.system_slot(1000, 1), "");
}
