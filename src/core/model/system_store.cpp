#include "core/model/system_store.h"

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/model/record_line.h"
#include "core/model/store_keys.h"

namespace tarvex {

namespace {
const std::string k_empty;

bool kind_is(std::string_view kind, std::initializer_list<std::string_view> names) {
    for (auto n : names)
        if (kind == n) return true;
    return false;
}
}  // namespace

SystemStore::SystemStore(Prompter& prompter)
    : prompter_(prompter), sites_used_(1000), groups_used_(1000), system_table_(1000) {}

SystemStore::~SystemStore() = default;

SystemStore::NodeId SystemStore::find(std::string_view key) const {
    auto it = index_.find(std::string(key));
    return it == index_.end() ? npos : it->second;
}

SystemStore::NodeId SystemStore::allocate(std::string key, std::string text) {
    NodeId id;
    if (!free_.empty()) {
        id = free_.back();
        free_.pop_back();
        nodes_[id] = Node{};
    } else {
        id = static_cast<NodeId>(nodes_.size());
        nodes_.emplace_back();
    }
    Node& n = nodes_[id];
    n.key = std::move(key);
    n.text = std::move(text);
    // Store order: appended at the end.
    n.ins_prev = ins_last_;
    if (ins_last_ != npos)
        nodes_[ins_last_].ins_next = id;
    else
        ins_first_ = id;
    ins_last_ = id;
    ++count_;
    if (positions_valid_) {
        if (positions_.size() <= id) positions_.resize(id + 1);
        positions_[id] = static_cast<int>(count_);
    }
    index_.emplace(n.key, id);
    return id;
}

void SystemStore::link_child(NodeId parent, NodeId id) {
    Node& n = nodes_[id];
    n.parent = parent;
    NodeId& first = parent == npos ? root_first_ : nodes_[parent].first_child;
    NodeId& last = parent == npos ? root_last_ : nodes_[parent].last_child;
    n.prev_sibling = last;
    n.next_sibling = npos;
    if (last != npos)
        nodes_[last].next_sibling = id;
    else
        first = id;
    last = id;
}

bool SystemStore::add_node(std::string_view parent_key, std::string key, std::string text) {
    ++revision_;
    if (key.empty() || exists(key)) return false;
    NodeId parent = npos;
    if (!parent_key.empty()) {
        parent = find(parent_key);
        if (parent == npos) return false;
    }
    NodeId id = allocate(std::move(key), std::move(text));
    link_child(parent, id);
    note_index(nodes_[id], true);
    return true;
}

void SystemStore::note_index(const Node& n, bool used) {
    const std::string& k = n.key;
    if (starts_with(k, "SYS-") && n.parent == npos && k.size() >= 7) {
        int s = keys::system_of(k);
        if (s >= 0 && s < 1000) systems_used_[s] = used;
    } else if (starts_with(k, "SIT-") && k.size() >= 11) {
        int s = keys::system_of(k), t = keys::site_of(k);
        if (s >= 0 && s < 1000 && t >= 0 && t < 1000) sites_used_[s][t] = used;
    } else if (starts_with(k, "GRP-") && k.size() >= 15) {
        int s = keys::group_system_of(k), g = keys::group_of(k);
        if (s >= 0 && s < 1000 && g >= 0 && g < 1000) groups_used_[s][g] = used;
    }
}

const std::string& SystemStore::get_node_text(std::string_view key) const {
    NodeId id = find(key);
    return id == npos ? k_empty : nodes_[id].text;
}

bool SystemStore::set_node_text(std::string_view key, std::string text) {
    ++revision_;
    NodeId id = find(key);
    if (id != npos) {
        nodes_[id].text = std::move(text);
        return true;
    }
    if (starts_with(key, "TRN-")) {
        std::string parent = "SYS-" + std::string(key.substr(4));
        return add_node(parent, std::string(key), std::move(text));
    }
    return false;
}

bool SystemStore::set_node_field(std::string_view key, int n, std::string_view value) {
    ++revision_;
    NodeId id = find(key);
    if (id == npos) return false;
    nodes_[id].text = set_field(nodes_[id].text, n, value);
    return true;
}

void SystemStore::unlink(NodeId id) {
    Node& n = nodes_[id];
    NodeId& first = n.parent == npos ? root_first_ : nodes_[n.parent].first_child;
    NodeId& last = n.parent == npos ? root_last_ : nodes_[n.parent].last_child;
    if (n.prev_sibling != npos)
        nodes_[n.prev_sibling].next_sibling = n.next_sibling;
    else
        first = n.next_sibling;
    if (n.next_sibling != npos)
        nodes_[n.next_sibling].prev_sibling = n.prev_sibling;
    else
        last = n.prev_sibling;
    n.prev_sibling = n.next_sibling = npos;
}

void SystemStore::release_subtree(NodeId id) {
    // Iterative walk: a deep or wide subtree must not exhaust the stack.
    std::vector<NodeId> pending{id};
    while (!pending.empty()) {
        NodeId cur = pending.back();
        pending.pop_back();
        for (NodeId c = nodes_[cur].first_child; c != npos; c = nodes_[c].next_sibling)
            pending.push_back(c);
        Node& n = nodes_[cur];
        note_index(n, false);
        index_.erase(n.key);
        if (n.ins_prev != npos)
            nodes_[n.ins_prev].ins_next = n.ins_next;
        else
            ins_first_ = n.ins_next;
        if (n.ins_next != npos)
            nodes_[n.ins_next].ins_prev = n.ins_prev;
        else
            ins_last_ = n.ins_prev;
        n = Node{};
        free_.push_back(cur);
        --count_;
    }
    positions_valid_ = false;
}

void SystemStore::remove_node(std::string_view key) {
    ++revision_;
    NodeId id = find(key);
    if (id == npos) return;
    unlink(id);
    release_subtree(id);
}

void SystemStore::clear_children(std::string_view key) {
    NodeId id = find(key);
    if (id == npos) return;
    std::string k = nodes_[id].key, text = nodes_[id].text;
    std::string parent = nodes_[id].parent == npos ? std::string() : nodes_[nodes_[id].parent].key;
    remove_node(k);
    add_node(parent, std::move(k), std::move(text));
}

void SystemStore::clear_tree() {
    ++revision_;
    nodes_.clear();
    free_.clear();
    index_.clear();
    root_first_ = root_last_ = ins_first_ = ins_last_ = npos;
    count_ = 0;
    positions_.clear();
    positions_valid_ = true;
    systems_used_.reset();
    for (auto& b : sites_used_) b.reset();
    for (auto& b : groups_used_) b.reset();
}

std::vector<std::string> SystemStore::child_keys(std::string_view key) const {
    std::vector<std::string> out;
    NodeId parent = npos;
    if (!key.empty()) {
        parent = find(key);
        if (parent == npos) return out;
    }
    for (NodeId c = first_child(parent); c != npos; c = nodes_[c].next_sibling)
        out.push_back(nodes_[c].key);
    return out;
}

std::string SystemStore::parent_key(std::string_view key) const {
    NodeId id = find(key);
    if (id == npos || nodes_[id].parent == npos) return {};
    return nodes_[nodes_[id].parent].key;
}

void SystemStore::refresh_positions() const {
    positions_.assign(nodes_.size(), 0);
    int pos = 0;
    for (NodeId id = ins_first_; id != npos; id = nodes_[id].ins_next) positions_[id] = ++pos;
    positions_valid_ = true;
}

int SystemStore::store_position(NodeId id) const {
    if (id == npos) return 0;
    if (!positions_valid_) refresh_positions();
    return positions_[id];
}

int SystemStore::store_position(std::string_view key) const {
    return store_position(find(key));
}

std::optional<int> SystemStore::g_n_i(std::string_view kind, int system_index) {
    if (kind_is(kind, {"system", "SYSTEM", "SYS", "sys"}))
        return g_n_i(IndexKind::System, system_index);
    if (kind_is(kind, {"site", "SITE", "SIT", "sit"})) return g_n_i(IndexKind::Site, system_index);
    if (kind_is(kind, {"group", "GROUP", "grp", "GRP"}))
        return g_n_i(IndexKind::Group, system_index);
    if (count_ > k_max_store_nodes) {
        prompter_.tell("ERROR: Out of storage space");
        return std::nullopt;
    }
    prompter_.tell("error in routine g_n_i");
    return std::nullopt;
}

std::optional<int> SystemStore::g_n_i(IndexKind kind, int system_index) {
    if (count_ > k_max_store_nodes) {
        prompter_.tell("ERROR: Out of storage space");
        return std::nullopt;
    }
    switch (kind) {
        case IndexKind::System:
            if (count_ == 0) {
                system_slot(1, k_slot_in_use) = "1";
                return 1;
            }
            for (int i = 1; i <= k_max_systems; ++i)
                if (!systems_used_[i]) return i;
            return std::nullopt;
        case IndexKind::Site:
            if (system_index == 0) {
                prompter_.tell("error: set sys index!");
                return std::nullopt;
            }
            if (system_index < 0 || system_index > 999) return std::nullopt;
            for (int i = 1; i <= k_max_sites; ++i)
                if (!sites_used_[system_index][i]) return i;
            return std::nullopt;
        case IndexKind::Group:
            if (system_index == 0) {
                prompter_.tell("error: please click on a system first");
                return std::nullopt;
            }
            if (system_index < 0 || system_index > 999) return std::nullopt;
            for (int i = 0; i < k_max_groups; ++i)
                if (!groups_used_[system_index][i]) return i;
            return std::nullopt;
    }
    return std::nullopt;
}

std::string& SystemStore::system_slot(int system, int slot) {
    ++revision_;
    static std::string scratch;
    if (system < 0 || system >= 1000 || slot < 0 || slot >= k_system_slots) {
        scratch.clear();
        return scratch;
    }
    return system_table_[system][slot];
}

const std::string& SystemStore::system_slot(int system, int slot) const {
    if (system < 0 || system >= 1000 || slot < 0 || slot >= k_system_slots) return k_empty;
    return system_table_[system][slot];
}

void SystemStore::clear_system_slots(int system, int from_slot) {
    ++revision_;
    if (system < 0 || system >= 1000) return;
    for (int s = from_slot; s < k_system_slots; ++s) system_table_[system][s].clear();
}

std::string& SystemStore::group_slot(int system, int group, int slot) {
    ++revision_;
    static std::string scratch;
    if (system < 0 || system >= 1000 || group < 0 || group >= 1000 || slot < 0 ||
        slot >= k_group_slots) {
        scratch.clear();
        return scratch;
    }
    return group_table_[system * 1000 + group][slot];
}

void SystemStore::clear_group_slots(int system, int group, int from_slot, int to_slot) {
    ++revision_;
    auto it = group_table_.find(system * 1000 + group);
    if (it == group_table_.end()) return;
    for (int s = from_slot; s <= to_slot && s < k_group_slots; ++s) it->second[s].clear();
}

struct SystemStore::Snapshot {
    std::vector<Node> nodes;
    std::vector<NodeId> free;
    NodeId root_first, root_last, ins_first, ins_last;
    size_t count;
    std::bitset<1000> systems_used;
    std::vector<std::bitset<1000>> sites_used, groups_used;
    std::vector<std::array<std::string, k_system_slots>> system_table;
    std::unordered_map<int, std::array<std::string, k_group_slots>> group_table;
};

std::shared_ptr<const SystemStore::Snapshot> SystemStore::snapshot() const {
    // The key index is left out: it is rebuilt from the nodes in a restore, and leaving it out
    // halves the memory each undo step keeps.
    auto snap = std::make_shared<Snapshot>(
        Snapshot{nodes_, free_, root_first_, root_last_, ins_first_, ins_last_, count_,
                 systems_used_, sites_used_, groups_used_, system_table_, group_table_});
    return snap;
}

void SystemStore::restore(const Snapshot& snap) {
    ++revision_;
    nodes_ = snap.nodes;
    free_ = snap.free;
    root_first_ = snap.root_first;
    root_last_ = snap.root_last;
    ins_first_ = snap.ins_first;
    ins_last_ = snap.ins_last;
    count_ = snap.count;
    systems_used_ = snap.systems_used;
    sites_used_ = snap.sites_used;
    groups_used_ = snap.groups_used;
    system_table_ = snap.system_table;
    group_table_ = snap.group_table;
    index_.clear();
    index_.reserve(count_);
    for (NodeId id = ins_first_; id != npos; id = nodes_[id].ins_next)
        index_.emplace(nodes_[id].key, id);
    positions_.clear();
    positions_valid_ = false;
}

size_t SystemStore::snapshot_bytes(const Snapshot& snap) {
    size_t bytes = sizeof(Snapshot) + snap.nodes.capacity() * sizeof(Node) +
                   snap.system_table.size() * sizeof(snap.system_table[0]) +
                   snap.group_table.size() * (sizeof(snap.group_table.begin()->second) + 32) +
                   (snap.sites_used.size() + snap.groups_used.size()) * sizeof(std::bitset<1000>);
    auto heap = [](const std::string& t) { return t.capacity() > 15 ? t.capacity() + 1 : 0; };
    for (const Node& n : snap.nodes) bytes += heap(n.key) + heap(n.text);
    for (const auto& row : snap.system_table)
        for (const auto& t : row) bytes += heap(t);
    return bytes;
}

void SystemStore::for_each_group_slot(
    const std::function<void(int, int, int, const std::string&)>& visit) const {
    for (const auto& [id, slots] : group_table_)
        for (int slot = 0; slot < k_group_slots; ++slot)
            if (!slots[slot].empty()) visit(id / 1000, id % 1000, slot, slots[slot]);
}

int SystemStore::change_counter(int system) const {
    return system >= 0 && system < 1000 ? change_counters_[system] : 0;
}
void SystemStore::mark_changed(int system) {
    if (system >= 0 && system < 1000) ++change_counters_[system];
}
void SystemStore::reset_change_counter(int system) {
    if (system >= 0 && system < 1000) change_counters_[system] = 0;
}
void SystemStore::reset_all_change_counters() {
    change_counters_.fill(0);
}

}  // namespace tarvex
