#include "core/model/store_ops.h"

#include "core/base/text.h"
#include "core/model/group_files.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

void delete_system(SystemStore& store, GroupFiles& files, int system) {
    std::string key = keys::system(system);
    store.clear_children(key);
    store.remove_node(key);
    files.delete_system_files(system);
    store.reset_change_counter(system);
    store.clear_system_slots(system, 1);
    for (int g = 0; g < k_max_groups; ++g) store.clear_group_slots(system, g, 0, 5);
    if (store.current_system == system) {
        store.current_system = 0;
        store.current_group = -1;
    }
}

void delete_site(SystemStore& store, int system, int site) {
    store.remove_node(keys::site(system, site));
    store.remove_node(keys::bandplan(system, site));
}

void delete_group(SystemStore& store, GroupFiles& files, int system, int group) {
    store.remove_node(keys::group(system, group));
    files.delete_group_file(system, group);
    store.clear_group_slots(system, group, 1, 6);
    if (store.current_system == system && store.current_group == group) store.current_group = -1;
}

std::optional<int> paste_system(SystemStore& store, GroupFiles& files, int copied_system) {
    std::string source = keys::system(copied_system);
    if (copied_system <= 0 || !store.exists(source)) return std::nullopt;
    auto fresh = store.g_n_i(IndexKind::System, 0);
    if (!fresh) return std::nullopt;
    int target = *fresh;
    std::string target_key = keys::system(target);
    store.add_node("", target_key, store.get_node_text(source));

    std::vector<std::string> children = store.child_keys(source);
    auto copy_children_with_prefix = [&](std::string_view prefix) {
        for (const auto& k : children)
            if (starts_with(k, prefix))
                store.add_node(target_key, keys::with_system(k, target), store.get_node_text(k));
    };
    copy_children_with_prefix("SIT-");
    copy_children_with_prefix("MCP-");
    for (const auto& k : children) {
        if (!starts_with(k, "GRP-")) continue;
        store.add_node(target_key, keys::with_system(k, target), store.get_node_text(k));
        files.copy_group_file(copied_system, keys::group_of(k), target, keys::group_of(k));
    }
    copy_children_with_prefix("TRN-");
    copy_children_with_prefix("QGL-");
    copy_children_with_prefix("ABP-");
    // The fleet map travels with its system: a copy without it would scan a different system.
    copy_children_with_prefix("FMP-");
    copy_children_with_prefix("UID-");
    for (const auto& k : children) {
        if (!starts_with(k, "SIT-") && !starts_with(k, "UID-")) continue;
        std::string new_parent = keys::with_system(k, target);
        for (const auto& c : store.child_keys(k))
            store.add_node(new_parent, keys::with_system(c, target), store.get_node_text(c));
    }
    // The copy is the same kind of system under the same name.
    for (int slot = 1; slot < k_system_slots; ++slot)
        store.system_slot(target, slot) = store.system_slot(copied_system, slot);
    store.system_slot(target, k_slot_in_use) = "1";
    store.mark_changed(target);
    return target;
}

std::optional<int> paste_site(SystemStore& store, int copied_system, int target_system,
                              int copied_site) {
    if (copied_system <= 0 || copied_site <= 0) return std::nullopt;
    std::string source = keys::site(copied_system, copied_site);
    if (!store.exists(source)) return std::nullopt;
    // Asked before the target is checked, so a paste with no system clicked says so.
    auto fresh = store.g_n_i(IndexKind::Site, target_system);
    if (!fresh || !store.exists(keys::system(target_system))) return std::nullopt;
    std::string new_site = keys::site(target_system, *fresh);
    store.add_node(keys::system(target_system), new_site, store.get_node_text(source));
    for (const auto& c : store.child_keys(source)) {
        std::string key = c.substr(0, 4) + fmt3(target_system) + "-" + fmt3(*fresh) +
                          (c.size() > 11 ? c.substr(11) : std::string());
        store.add_node(new_site, key, store.get_node_text(c));
    }
    store.mark_changed(target_system);
    return fresh;
}

std::optional<int> paste_group(SystemStore& store, GroupFiles& files, int copied_system,
                               int target_system, int copied_group) {
    if (copied_system <= 0 || copied_group < 0 || copied_group >= k_max_groups) return std::nullopt;
    std::string source = keys::group(copied_system, copied_group);
    if (!store.exists(source)) return std::nullopt;
    auto fresh = store.g_n_i(IndexKind::Group, target_system);
    if (!fresh || !store.exists(keys::system(target_system))) return std::nullopt;
    store.add_node(keys::system(target_system), keys::group(target_system, *fresh),
                   store.get_node_text(source));
    files.copy_group_file(copied_system, copied_group, target_system, *fresh);
    store.mark_changed(target_system);
    return fresh;
}

std::vector<GroupLocation> build_group_location_list(const SystemStore& store) {
    std::vector<GroupLocation> rows;
    for (auto id = store.first_in_store(); id != SystemStore::npos; id = store.next_in_store(id)) {
        if (!starts_with(store.key_of(id), "GRP-")) continue;
        const std::string& line = store.text_of(id);
        std::string lat = get_field(line, 6), lon = get_field(line, 7);
        if (lat.empty() || lon.empty() || rows.size() >= 5000) continue;
        std::string name = replace_all(get_field(line, 4), ";", "/");
        for (char& c : name)
            if (c == '}' || c == '{' || c == '\'') c = ' ';
        rows.push_back({std::move(name), std::move(lat), std::move(lon)});
    }
    return rows;
}

}  // namespace tarvex
