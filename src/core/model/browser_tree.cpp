#include "core/model/browser_tree.h"

#include <algorithm>
#include <cctype>

#include "core/base/text.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

TreeOrdering tree_ordering_from_setting(std::string_view value) {
    if (value == "name") return TreeOrdering::ByName;
    if (value == "type") return TreeOrdering::BySystemType;
    if (value == "qk") return TreeOrdering::QuickKey;
    if (value == "qku") return TreeOrdering::QuickKeyUniden;
    return TreeOrdering::None;
}

std::string tree_ordering_setting(TreeOrdering ordering) {
    switch (ordering) {
        case TreeOrdering::ByName:
            return "name";
        case TreeOrdering::BySystemType:
            return "type";
        case TreeOrdering::QuickKey:
            return "qk";
        case TreeOrdering::QuickKeyUniden:
            return "qku";
        case TreeOrdering::None:
            break;
    }
    return "";
}

NodeImage image_for_system_type(std::string_view t) {
    static constexpr std::pair<std::string_view, NodeImage> table[] = {
        {"Conventional", NodeImage::Conventional},
        {"Motorola", NodeImage::Motorola},
        {"Edacs Narrow/Wide", NodeImage::Edacs},
        {"Edacs Scat", NodeImage::EdacsScat},
        {"LTR", NodeImage::Ltr},
        {"P25 Standard", NodeImage::P25},
        {"P25 One Freq Trunk", NodeImage::P25OneFrequency},
        {"P25 X2 TDMA", NodeImage::P25X2Tdma},
        {"MotoTRBO", NodeImage::MotoTrbo},
        {"DMR One Frequency", NodeImage::DmrOneFrequency},
    };
    for (auto [name, image] : table)
        if (name == t) return image;
    return NodeImage::UnknownSystem;
}

namespace {

// The type tag that makes the system type the first sort key; the quick-key orderings carry a "1"
// in theirs. Written out in full so each tag can be found as the tree shows it.
std::string type_tag(std::string_view type, bool quick_key_ordering) {
    switch (image_for_system_type(type)) {
        case NodeImage::Conventional:
            return quick_key_ordering ? "[C1] " : "[C] ";
        case NodeImage::Motorola:
            return quick_key_ordering ? "[M1] " : "[M] ";
        case NodeImage::Edacs:
        case NodeImage::EdacsScat:
            return quick_key_ordering ? "[E1] " : "[E] ";
        case NodeImage::Ltr:
            return quick_key_ordering ? "[L1] " : "[L] ";
        case NodeImage::P25:
        case NodeImage::P25OneFrequency:
        case NodeImage::P25X2Tdma:
            return quick_key_ordering ? "[P1] " : "[P] ";
        case NodeImage::MotoTrbo:
        case NodeImage::DmrOneFrequency:
            return quick_key_ordering ? "[D1] " : "[D] ";
        default:
            return "";
    }
}

bool has_quick_key(std::string_view qk) {
    return !qk.empty() && qk != "." && qk != "None";
}

// Case-insensitive text order, the way the tree control sorts.
bool text_less(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

struct SystemEntry {
    int index;
    SystemStore::NodeId id;
    std::string text;
    std::string quick_key;
    size_t store_order;
};

std::vector<SystemEntry> ordered_systems(const SystemStore& store, TreeOrdering ordering,
                                         const std::vector<int>* only) {
    std::vector<SystemEntry> systems;
    size_t order = 0;
    for (auto id = store.first_root(); id != SystemStore::npos; id = store.next_sibling(id)) {
        const std::string& key = store.key_of(id);
        if (!starts_with(key, "SYS-")) continue;
        int index = keys::system_of(key);
        if (only && std::find(only->begin(), only->end(), index) == only->end()) continue;
        const std::string& line = store.text_of(id);
        std::string name = get_field(line, 4), type = get_field(line, 1);
        std::string qk = store.system_slot(index, k_slot_quick_key);
        SystemEntry e{index, id, name, qk, order++};
        switch (ordering) {
            case TreeOrdering::BySystemType:
                e.text = type_tag(type, false) + name;
                break;
            case TreeOrdering::QuickKey:
            case TreeOrdering::QuickKeyUniden:
                e.text = type_tag(type, true) + name;
                if (has_quick_key(qk)) e.text += " [Q" + qk + "]";
                if (get_field(line, 5) == "1") e.text += " /L";
                break;
            default:
                break;
        }
        systems.push_back(std::move(e));
    }
    auto by_text = [](const SystemEntry& a, const SystemEntry& b) {
        return text_less(a.text, b.text);
    };
    switch (ordering) {
        case TreeOrdering::ByName:
        case TreeOrdering::BySystemType:
            std::stable_sort(systems.begin(), systems.end(), by_text);
            break;
        case TreeOrdering::QuickKey:
            // Numeric quick keys 0..99 first, in number order; systems without one follow.
            std::stable_sort(systems.begin(), systems.end(), [](const auto& a, const auto& b) {
                bool ha = has_quick_key(a.quick_key), hb = has_quick_key(b.quick_key);
                if (ha != hb) return ha;
                return ha && lenient_integer(a.quick_key) < lenient_integer(b.quick_key);
            });
            break;
        case TreeOrdering::QuickKeyUniden:
            // The scanner lists quick keys as text ("1", "10", "11", ..., "2").
            std::stable_sort(systems.begin(), systems.end(), [](const auto& a, const auto& b) {
                bool ha = has_quick_key(a.quick_key), hb = has_quick_key(b.quick_key);
                if (ha != hb) return ha;
                return ha && a.quick_key < b.quick_key;
            });
            break;
        case TreeOrdering::None:
            break;
    }
    return systems;
}

void add_system_nodes(const SystemStore& store, const SystemEntry& sys,
                      const std::string& parent_key, std::vector<BrowserNode>& out) {
    const std::string& sys_key = store.key_of(sys.id);
    out.push_back({sys_key, parent_key, sys.text,
                   image_for_system_type(get_field(store.text_of(sys.id), 1))});
    std::vector<BrowserNode> sites, groups;
    bool unit_ids = false;
    for (auto c = store.first_child(sys.id); c != SystemStore::npos; c = store.next_sibling(c)) {
        const std::string& key = store.key_of(c);
        if (starts_with(key, "SIT-")) {
            sites.push_back({key, keys::sites_folder(sys.index), get_field(store.text_of(c), 4),
                             NodeImage::Site});
        } else if (starts_with(key, "GRP-")) {
            groups.push_back({key, sys_key, get_field(store.text_of(c), 4), NodeImage::Group});
        } else if (starts_with(key, "UID-")) {
            unit_ids = true;
        }
    }
    if (!sites.empty()) {
        out.push_back({keys::sites_folder(sys.index), sys_key, "Sites:", NodeImage::SitesFolder});
        std::stable_sort(sites.begin(), sites.end(),
                         [](const auto& a, const auto& b) { return text_less(a.text, b.text); });
        for (auto& s : sites) out.push_back(std::move(s));
    }
    if (unit_ids)
        out.push_back({"UID-" + fmt3(sys.index), sys_key, "Unit Id's", NodeImage::UnitIds});
    for (auto& g : groups) out.push_back(std::move(g));
}

std::string keep_selection(const std::vector<BrowserNode>& nodes, std::string_view selected) {
    if (selected.empty()) return {};
    for (const auto& n : nodes)
        if (n.key == selected) return n.key;
    return {};
}

}  // namespace

BrowserTree create_browser_tree(SystemStore& store, TreeOrdering ordering,
                                std::string_view previously_selected) {
    store.current_system = 0;
    store.current_group = -1;
    BrowserTree tree;
    for (const auto& sys : ordered_systems(store, ordering, nullptr))
        add_system_nodes(store, sys, "", tree.nodes);
    tree.selected_key = keep_selection(tree.nodes, previously_selected);
    return tree;
}

BrowserTree create_browser_tree_met_favie(SystemStore& store, TreeOrdering ordering,
                                          const std::vector<FavoritesListView>& lists,
                                          std::string_view previously_selected) {
    store.current_system = 0;
    store.current_group = -1;
    BrowserTree tree;
    auto add_list = [&](int number, const std::string& name, const std::vector<int>* systems) {
        std::string key = "FAV-" + fmt3(number);
        tree.nodes.push_back({key, "",
                              name.empty() ? "New Favorite " + std::to_string(number) : name,
                              NodeImage::FavoritesList});
        for (const auto& sys : ordered_systems(store, ordering, systems))
            add_system_nodes(store, sys, key, tree.nodes);
    };
    if (lists.empty()) {
        add_list(1, "", nullptr);
    } else {
        for (size_t i = 0; i < lists.size(); ++i)
            add_list(static_cast<int>(i) + 1, lists[i].name, &lists[i].systems);
    }
    tree.selected_key = keep_selection(tree.nodes, previously_selected);
    return tree;
}

BrowserSelection parse_browser_key(std::string_view key) {
    BrowserSelection s;
    if (starts_with(key, "FAV-")) {
        s.kind = SelectionKind::FavoritesList;
        s.list = keys::number_at(key, 5);
        return s;
    }
    if (starts_with(key, "SITELVL-")) {
        s.kind = SelectionKind::SitesFolder;
        s.system = keys::number_at(key, 9);
        return s;
    }
    if (starts_with(key, "UID-"))
        s.kind = SelectionKind::UnitIds;
    else if (starts_with(key, "SYS-"))
        s.kind = SelectionKind::System;
    else if (starts_with(key, "SIT-"))
        s.kind = SelectionKind::Site;
    else if (starts_with(key, "GRP-"))
        s.kind = SelectionKind::Group;
    else
        return s;
    if (s.kind == SelectionKind::Group) {
        s.system = keys::group_system_of(key);
        s.group = keys::group_of(key);
    } else {
        s.system = keys::system_of(key);
        if (s.kind == SelectionKind::Site) s.site = keys::site_of(key);
    }
    return s;
}

}  // namespace tarvex
