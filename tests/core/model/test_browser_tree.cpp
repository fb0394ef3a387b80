#include "core/model/browser_tree.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

using namespace tarvex;

namespace {

using Texts = std::vector<std::string>;

class Browser : public ::testing::Test {
  protected:
    RecordingPrompter prompter;
    SystemStore store{prompter};

    // In store order: Zulu (Motorola with two sites, two groups and unit IDs), alpha, Mike,
    // Bravo, Echo, Delta, Kilo.
    void SetUp() override {
        const std::pair<const char*, const char*> systems[] = {
            {"Motorola", "Zulu"},         {"Conventional", "alpha"},
            {"P25 Standard", "Mike"},     {"LTR", "Bravo"},
            {"Edacs Scat", "Echo"},       {"MotoTRBO", "Delta"},
            {"DMR One Frequency", "Kilo"}};
        int s = 0;
        for (auto [type, name] : systems)
            store.add_node("", keys::system(++s), new_trunked_system(type, name));
        store.add_node("SYS-001", "SIT-001-001", "SIF,Site,SiteId=1,TrunkId=1,West");
        store.add_node("SYS-001", "SIT-001-002", "SIF,Site,SiteId=2,TrunkId=1,east");
        store.add_node("SYS-001", "GRP-999-001-000", new_group("Police"));
        store.add_node("SYS-001", "GRP-999-001-001", new_group("Fire"));
        store.add_node("SYS-001", "UID-001-001", "UID,UID Editor");
        store.add_node("SYS-001", "TRN-001", std::string(templates::trunk_settings));
    }
    static Texts texts_under(const BrowserTree& tree, const std::string& parent = "") {
        Texts out;
        for (const auto& n : tree.nodes)
            if (n.parent_key == parent) out.push_back(n.text);
        return out;
    }
    static const BrowserNode& node(const BrowserTree& tree, const std::string& key) {
        for (const auto& n : tree.nodes)
            if (n.key == key) return n;
        static const BrowserNode none{};
        return none;
    }
};

}  // namespace

TEST_F(Browser, StandardOrderingShowsNamesInStoreOrderWithTypeImages) {
    store.current_system = 5;
    BrowserTree tree = create_browser_tree(store, TreeOrdering::None);
    EXPECT_EQ(texts_under(tree),
              (Texts{"Zulu", "alpha", "Mike", "Bravo", "Echo", "Delta", "Kilo"}));
    EXPECT_EQ(node(tree, "SYS-001").image, NodeImage::Motorola);
    EXPECT_EQ(node(tree, "SYS-005").image, NodeImage::EdacsScat);
    EXPECT_EQ(node(tree, "SYS-007").image, NodeImage::DmrOneFrequency);
    EXPECT_EQ(store.current_system, 0);

    // Sites sorted by name in their folder, then the unit IDs, then groups in store order.
    Texts under_zulu;
    for (const auto& n : tree.nodes)
        if (n.parent_key == "SYS-001" || n.parent_key == "SITELVL-001")
            under_zulu.push_back(n.key + " " + n.text);
    EXPECT_EQ(under_zulu,
              (Texts{"SITELVL-001 Sites:", "SIT-001-002 east", "SIT-001-001 West",
                     "UID-001 Unit Id's", "GRP-999-001-000 Police", "GRP-999-001-001 Fire"}));
    EXPECT_EQ(node(tree, "SITELVL-002").key, "");
    EXPECT_EQ(node(tree, "UID-002").key, "");
}

TEST_F(Browser, ByNameAndBySystemTypeSortAlphabetically) {
    EXPECT_EQ(texts_under(create_browser_tree(store, TreeOrdering::ByName)),
              (Texts{"alpha", "Bravo", "Delta", "Echo", "Kilo", "Mike", "Zulu"}));
    EXPECT_EQ(texts_under(create_browser_tree(store, TreeOrdering::BySystemType)),
              (Texts{"[C] alpha", "[D] Delta", "[D] Kilo", "[E] Echo", "[L] Bravo", "[M] Zulu",
                     "[P] Mike"}));
}

TEST_F(Browser, QuickKeyOrderingsListSystemsByQuickKeyWithTheirMarks) {
    const char* quick_keys[] = {"10", "2", "None", ".", "", "0", "1"};
    for (int s = 1; s <= 7; ++s) store.system_slot(s, k_slot_quick_key) = quick_keys[s - 1];
    store.set_node_field("SYS-001", 5, "1");  // locked out

    BrowserTree tree = create_browser_tree(store, TreeOrdering::QuickKey);
    Texts keys;
    for (const auto& n : tree.nodes)
        if (n.parent_key.empty()) keys.push_back(n.key);
    EXPECT_EQ(keys,
              (Texts{"SYS-006", "SYS-007", "SYS-002", "SYS-001", "SYS-003", "SYS-004", "SYS-005"}));
    EXPECT_EQ(node(tree, "SYS-001").text, "[M1] Zulu [Q10] /L");
    EXPECT_EQ(node(tree, "SYS-002").text, "[C1] alpha [Q2]");
    EXPECT_EQ(node(tree, "SYS-003").text, "[P1] Mike");
    EXPECT_EQ(node(tree, "SYS-004").text, "[L1] Bravo");
    EXPECT_EQ(node(tree, "SYS-005").text, "[E1] Echo");
    // The scanner's own ordering compares quick keys as text: "10" before "2".
    EXPECT_EQ(texts_under(create_browser_tree(store, TreeOrdering::QuickKeyUniden))[2],
              "[M1] Zulu [Q10] /L");
}

TEST_F(Browser, ThePreviousSelectionIsKeptOnlyWhileItExists) {
    EXPECT_EQ(create_browser_tree(store, TreeOrdering::ByName, "SITELVL-001").selected_key,
              "SITELVL-001");
    store.remove_node("GRP-999-001-001");
    EXPECT_EQ(create_browser_tree(store, TreeOrdering::None, "GRP-999-001-001").selected_key, "");
}

TEST_F(Browser, FavoritesBuilderPutsSystemsBeneathTheirLists) {
    BrowserTree all = create_browser_tree_met_favie(store, TreeOrdering::None, {});
    EXPECT_EQ(texts_under(all), Texts{"New Favorite 1"});
    EXPECT_EQ(all.nodes.front().key, "FAV-001");
    EXPECT_EQ(texts_under(all, "FAV-001").size(), 7u);

    BrowserTree lists = create_browser_tree_met_favie(
        store, TreeOrdering::ByName, {{"", {3, 2}}, {"Work", {1}}}, "GRP-999-001-000");
    EXPECT_EQ(texts_under(lists), (Texts{"New Favorite 1", "Work"}));
    EXPECT_EQ(texts_under(lists, "FAV-001"), (Texts{"alpha", "Mike"}));
    EXPECT_EQ(node(lists, "SYS-001").parent_key, "FAV-002");
    EXPECT_EQ(node(lists, "SIT-001-001").parent_key, "SITELVL-001");
    EXPECT_EQ(lists.selected_key, "GRP-999-001-000");
}

TEST(BrowserKeys, AClickedKeyNamesWhatWasSelected) {
    auto check = [](const char* key, SelectionKind kind, int system, int site, int group) {
        BrowserSelection s = parse_browser_key(key);
        EXPECT_EQ(s.kind, kind) << key;
        EXPECT_EQ(s.system, system) << key;
        EXPECT_EQ(s.site, site) << key;
        EXPECT_EQ(s.group, group) << key;
    };
    check("UID-012", SelectionKind::UnitIds, 12, 0, -1);
    check("SYS-012", SelectionKind::System, 12, 0, -1);
    check("GRP-999-012-005", SelectionKind::Group, 12, 0, 5);
    check("SIT-012-003", SelectionKind::Site, 12, 3, -1);
    check("SITELVL-012", SelectionKind::SitesFolder, 12, 0, -1);
    check("TFQ-012-003-001", SelectionKind::None, 0, 0, -1);
    EXPECT_EQ(parse_browser_key("FAV-002").kind, SelectionKind::FavoritesList);
    EXPECT_EQ(parse_browser_key("FAV-002").list, 2);
}
