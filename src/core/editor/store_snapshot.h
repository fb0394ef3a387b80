#pragma once
// The before and after of a change that reaches across the store (removing duplicates,
// unlocking): the lines of the group files it touches and the record lines of the nodes it
// touches. Taking one before and one after the change and restoring either is what makes such
// a change one undo step, without the change itself knowing about undo.
#include <string>
#include <utility>
#include <vector>

namespace tarvex {

class SystemStore;
class GroupFiles;

struct StoreSnapshot {
    struct Group {
        int system = 0, group = -1;
        std::vector<std::string> lines;  // empty: the group has no file
    };
    struct Node {
        std::string key, text;
    };
    std::vector<Group> groups;
    std::vector<Node> nodes;
    bool empty() const { return groups.empty() && nodes.empty(); }
};

StoreSnapshot take_snapshot(const SystemStore& store, const GroupFiles& files,
                            const std::vector<std::pair<int, int>>& groups,
                            const std::vector<std::string>& node_keys);
// Puts every group file and record line back as the snapshot holds it. Nodes that are gone
// since are passed over (a deleted system is not brought back by undoing an unlock).
void restore_snapshot(SystemStore& store, GroupFiles& files, const StoreSnapshot& snapshot);

}  // namespace tarvex
