#include "core/editor/store_snapshot.h"

#include <set>

#include "core/model/group_files.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"

namespace tarvex {

StoreSnapshot take_snapshot(const SystemStore& store, const GroupFiles& files,
                            const std::vector<std::pair<int, int>>& groups,
                            const std::vector<std::string>& node_keys) {
    StoreSnapshot out;
    std::set<std::pair<int, int>> seen;
    for (const auto& [s, g] : groups)
        if (seen.insert({s, g}).second) out.groups.push_back({s, g, files.read_lines(s, g)});
    std::set<std::string> keys_seen;
    for (const auto& key : node_keys)
        if (store.exists(key) && keys_seen.insert(key).second)
            out.nodes.push_back({key, store.get_node_text(key)});
    return out;
}

void restore_snapshot(SystemStore& store, GroupFiles& files, const StoreSnapshot& snapshot) {
    for (const auto& g : snapshot.groups)
        if (store.exists(keys::group(g.system, g.group)))
            files.write_lines(g.system, g.group, g.lines);
    for (const auto& n : snapshot.nodes)
        if (store.exists(n.key)) store.set_node_text(n.key, n.text);
}

}  // namespace tarvex
