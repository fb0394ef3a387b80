#pragma once
// The session's undo history: one linear list of steps over everything the user edits, the
// system store and the group channel files together. A step keeps the store as it was before
// and after (shared snapshots, so consecutive steps share one copy) and the bytes of every group
// file it touched, before and after; undoing puts them back as they were. One clean mark says
// which position matches the file on disk, so the unsaved-changes flag follows undo and redo.
#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/system_store.h"

namespace tarvex {

// One HPD file of the several-files mode, shown as a favorites node "FAV-" + number.
struct HpdFileEntry {
    std::string path;          // "" until it was opened from or saved to a file
    std::string name;          // the node's text; "" shows "New Favorite" + number
    std::vector<int> systems;  // system indexes, in the order they were added
    bool operator==(const HpdFileEntry&) const = default;
};

struct GroupFileBytes {
    int system = 0, group = 0;
    std::optional<std::string> before, after;  // nullopt: there was no file
};

struct UndoStep {
    std::string label;  // "Delete System", "Edit cell", ...
    // Both null when the step left the store alone.
    std::shared_ptr<const SystemStore::Snapshot> store_before, store_after;
    std::vector<GroupFileBytes> files;
    bool lists_changed = false;
    std::vector<HpdFileEntry> lists_before, lists_after;
    // The browser key selected before and after, selected again by undo and redo.
    std::string select_before, select_after;

    bool empty() const { return !store_before && files.empty() && !lists_changed; }
    // Heap bytes the step keeps alive (a shared snapshot counts in full for each step).
    size_t bytes() const;
};

class UndoHistory {
  public:
    // Old steps are dropped beyond these, so a long session on a large store stays bounded.
    static constexpr size_t k_max_steps = 1000;
    static constexpr size_t k_max_bytes = size_t{512} << 20;

    void push(UndoStep step);
    bool can_undo() const { return index_ > 0; }
    bool can_redo() const { return index_ < steps_.size(); }
    const UndoStep& undo_step() const { return steps_[index_ - 1]; }
    const UndoStep& redo_step() const { return steps_[index_]; }
    // The caller applied undo_step() / redo_step().
    void stepped_back() { --index_; }
    void stepped_forward() { ++index_; }

    // The clean mark: the position that matches the saved file.
    bool at_clean() const { return clean_ == static_cast<long long>(index_); }
    void set_clean() { clean_ = static_cast<long long>(index_); }
    // A change nobody recorded: no position matches the file any more.
    void lose_clean() { clean_ = k_never; }
    // Forgets every step; the present state is clean (a file was opened or closed).
    void clear();

    size_t size() const { return steps_.size(); }
    size_t position() const { return index_; }
    size_t bytes() const { return bytes_; }

  private:
    static constexpr long long k_never = -1;
    void trim();
    std::deque<UndoStep> steps_;
    std::deque<size_t> step_bytes_;
    size_t index_ = 0;
    long long clean_ = 0;
    size_t bytes_ = 0;
};

}  // namespace tarvex
