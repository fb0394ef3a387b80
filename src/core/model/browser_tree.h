#pragma once
// The browser tree as data: what the window's tree shows, built from the store after every load
// or structural change. The window renders it; it is never read back into the store.
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

class SystemStore;

enum class TreeOrdering { None, ByName, BySystemType, QuickKey, QuickKeyUniden };
// The `treesort` setting's words for the orderings.
TreeOrdering tree_ordering_from_setting(std::string_view value);
std::string tree_ordering_setting(TreeOrdering ordering);

enum class NodeImage {
    Conventional,
    Motorola,
    Edacs,
    EdacsScat,
    Ltr,
    P25,
    P25OneFrequency,
    P25X2Tdma,
    MotoTrbo,
    DmrOneFrequency,
    UnknownSystem,
    SitesFolder,
    Site,
    Group,
    UnitIds,
    FavoritesList
};
NodeImage image_for_system_type(std::string_view system_type);

struct BrowserNode {
    std::string key;         // same key as the store node ("SITELVL-sss", "UID-sss" for folders)
    std::string parent_key;  // "" for top level
    std::string text;
    NodeImage image;
};

struct BrowserTree {
    std::vector<BrowserNode> nodes;  // display order, every parent before its children
    std::string selected_key;        // the previous selection when it still exists, else ""
};

// Builds the browser from the store; resets the store's current system and group.
BrowserTree create_browser_tree(SystemStore& store, TreeOrdering ordering,
                                std::string_view previously_selected = {});

struct FavoritesListView {
    std::string name;          // "" shows "New Favorite" + number
    std::vector<int> systems;  // system indexes in the list
};
// The same nodes beneath favorites-list nodes "FAV-001", ...; with no lists given, every system
// sits in one list "FAV-001" shown as "New Favorite 1".
BrowserTree create_browser_tree_met_favie(SystemStore& store, TreeOrdering ordering,
                                          const std::vector<FavoritesListView>& lists,
                                          std::string_view previously_selected = {});

// What a click on a browser node selects, from its key prefix and fixed character positions.
enum class SelectionKind { None, FavoritesList, UnitIds, System, Group, Site, SitesFolder };
struct BrowserSelection {
    SelectionKind kind = SelectionKind::None;
    int system = 0, site = 0, group = -1, list = 0;
};
BrowserSelection parse_browser_key(std::string_view key);

}  // namespace tarvex
