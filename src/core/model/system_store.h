#pragma once
// The system store: the working database of the editor. An ordered keyed tree whose nodes carry
// record lines; store order is insertion order (within a parent and over the whole store), keys
// are unique, lookups are O(1), and removing a node removes its subtree. Beside the tree it keeps
// the system and group side tables, per-system change counters, the current system and the copy
// buffer.
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvex {

class Prompter;

inline constexpr size_t k_max_store_nodes = 30000;
inline constexpr int k_max_systems = 999;
inline constexpr int k_max_sites = 999;
inline constexpr int k_max_groups = 400;  // group indexes 0..399
inline constexpr int k_system_slots = 26;
inline constexpr int k_group_slots = 7;

// Index slot values of the system side table.
inline constexpr int k_slot_in_use = 0;
inline constexpr int k_slot_name = 1;
inline constexpr int k_slot_quick_key = 2;  // the browser's quick-key orderings read this slot
inline constexpr int k_slot_type_code = 10;

enum class IndexKind { System, Site, Group };

struct CopyBuffer {
    int system = 0;        // copied system index (0 = none)
    int site = 0;          // copied site index (0 = none)
    int group = -1;        // copied group index (-1 = none)
    int paste_target = 0;  // system that receives a pasted site or group
};

class SystemStore {
  public:
    using NodeId = uint32_t;
    static constexpr NodeId npos = 0xFFFFFFFFu;

    explicit SystemStore(Prompter& prompter);
    ~SystemStore();
    SystemStore(const SystemStore&) = delete;
    SystemStore& operator=(const SystemStore&) = delete;

    Prompter& prompter() const { return prompter_; }

    // ---- snapshots for undo and crash recovery ----
    // Everything of the tree and the side tables; not the change counters, the current system
    // or the copy buffer, which describe the session rather than the data.
    struct Snapshot;
    std::shared_ptr<const Snapshot> snapshot() const;
    void restore(const Snapshot& snap);
    // Rough heap size of a snapshot, for the undo history's memory budget.
    static size_t snapshot_bytes(const Snapshot& snap);
    // Counts every call that may change the data (a non-const slot reference counts too), so
    // an unchanged store is recognised without comparing it.
    uint64_t revision() const { return revision_; }

    // ---- the tree ----
    // Adds a node as the last child of `parent_key` ("" = root level). Fails (false) when the
    // key exists already or the parent does not.
    bool add_node(std::string_view parent_key, std::string key, std::string text);
    bool exists(std::string_view key) const { return find(key) != npos; }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Record line of the node, or "" when there is no such node.
    const std::string& get_node_text(std::string_view key) const;
    // Puts the text on an existing node; an absent "TRN-" key is added under its "SYS-" node,
    // other absent keys stay absent. Returns true when a node now carries the text.
    bool set_node_text(std::string_view key, std::string text);
    // Replaces field n of the node's record line.
    bool set_node_field(std::string_view key, int n, std::string_view value);
    // Removes the node with its whole subtree.
    void remove_node(std::string_view key);
    // Removes every child of the node; the node itself keeps its key, text and parent and moves
    // to the end of its parent's children and of store order, as re-adding it does.
    void clear_children(std::string_view key);
    void clear_tree();

    // ---- navigation ----
    NodeId find(std::string_view key) const;
    const std::string& key_of(NodeId id) const { return nodes_[id].key; }
    const std::string& text_of(NodeId id) const { return nodes_[id].text; }
    NodeId parent_of(NodeId id) const { return nodes_[id].parent; }
    NodeId first_child(NodeId id) const {
        return id == npos ? root_first_ : nodes_[id].first_child;
    }
    NodeId next_sibling(NodeId id) const { return nodes_[id].next_sibling; }
    NodeId first_root() const { return root_first_; }
    // Store (insertion) order over all nodes.
    NodeId first_in_store() const { return ins_first_; }
    NodeId next_in_store(NodeId id) const { return nodes_[id].ins_next; }
    std::vector<std::string> child_keys(std::string_view key) const;  // "" = root level
    std::string parent_key(std::string_view key) const;
    // 1-based position of the node among all nodes in store order (0 when absent).
    int store_position(std::string_view key) const;
    int store_position(NodeId id) const;

    // ---- indexes ----
    // Next free index of a kind ("system"/"SYSTEM"/"SYS"/"sys", "site"/..., "group"/...), with
    // its messages; nullopt when none can be handed out.
    std::optional<int> g_n_i(std::string_view kind, int system_index);
    std::optional<int> g_n_i(IndexKind kind, int system_index);

    // ---- side tables ----
    std::string& system_slot(int system, int slot);
    const std::string& system_slot(int system, int slot) const;
    // Type code of a system ("0" conventional, "1".."9" trunked; "" unknown).
    const std::string& system_type_code(int system) const {
        return system_slot(system, k_slot_type_code);
    }
    bool is_conventional(int system) const { return system_type_code(system) == "0"; }
    void clear_system_slots(int system, int from_slot = 1);
    std::string& group_slot(int system, int group, int slot);
    void clear_group_slots(int system, int group, int from_slot, int to_slot);
    // Every non-empty group slot, in no particular order.
    void for_each_group_slot(const std::function<void(int system, int group, int slot,
                                                      const std::string& value)>& visit) const;

    int change_counter(int system) const;
    void mark_changed(int system);
    void reset_change_counter(int system);
    void reset_all_change_counters();

    int current_system = 0;
    int current_group = -1;
    CopyBuffer copy;

  private:
    struct Node {
        std::string key, text;
        NodeId parent = npos, first_child = npos, last_child = npos;
        NodeId prev_sibling = npos, next_sibling = npos;
        NodeId ins_prev = npos, ins_next = npos;
    };

    NodeId allocate(std::string key, std::string text);
    void link_child(NodeId parent, NodeId id);
    void unlink(NodeId id);
    void release_subtree(NodeId id);
    void note_index(const Node& n, bool used);
    void refresh_positions() const;

    Prompter& prompter_;
    std::vector<Node> nodes_;
    std::vector<NodeId> free_;
    std::unordered_map<std::string, NodeId> index_;
    NodeId root_first_ = npos, root_last_ = npos;
    NodeId ins_first_ = npos, ins_last_ = npos;
    size_t count_ = 0;

    uint64_t revision_ = 0;
    mutable std::vector<int> positions_;
    mutable bool positions_valid_ = true;

    std::bitset<1000> systems_used_;
    std::vector<std::bitset<1000>> sites_used_;   // by system
    std::vector<std::bitset<1000>> groups_used_;  // by system (indexes up to 999 from files)

    std::vector<std::array<std::string, k_system_slots>> system_table_;
    std::unordered_map<int, std::array<std::string, k_group_slots>> group_table_;
    std::array<int, 1000> change_counters_{};
};

}  // namespace tarvex
