#pragma once
// The duplicate finder and remover. Two conventional channels are duplicates when they sit on
// the same frequency with the same squelch (SQ Mode and SQ Code as the scanner gets them), two
// talkgroups when their values are the same; the first in store order (system, group, row) is
// kept and every later one is a duplicate of it. By default only channels of one system are
// compared, since the same frequency in two systems is usually on purpose (a county and a city
// sharing a repeater); `across` compares the whole store.
#include <set>
#include <string>
#include <vector>

namespace tarvex {

class SystemStore;
class GroupFiles;
class EditingSession;

// Where a row stands: store indexes for the program, 1-based positions for people (the
// system's place in store order, the group's place among its system's groups).
struct RowPlace {
    int system = 0;
    int group = -1;
    int row = 0;
    int system_position = 0;
    int group_position = 0;
    bool operator==(const RowPlace& o) const {
        return system == o.system && group == o.group && row == o.row;
    }
};

struct Duplicate {
    RowPlace at;
    RowPlace first;     // the row that is kept
    std::string value;  // the frequency (MHz, as the grid shows it) or the talkgroup
    std::string tag;    // the row's alpha tag
    bool talkgroup = false;
};

// Every duplicate, in store order.
std::vector<Duplicate> find_duplicates(const SystemStore& store, const GroupFiles& files,
                                       bool across = false);

// Removes the rows with the group files' delete-one-line operation: the rows left keep their
// numbers. Returns the systems whose files changed (for the change counters).
struct RowRemoval {
    int removed = 0;
    std::set<int> systems;
};
RowRemoval remove_rows(GroupFiles& files, const std::vector<RowPlace>& rows);
// "Remove Duplicates" on the session: remove_rows as one undo step, the systems marked changed
// and the open editor reloaded. Returns how many rows went.
int remove_duplicates(EditingSession& session, const std::vector<RowPlace>& rows);

// Visits every group of the store in store order with its system's and its own positions.
struct GroupVisit {
    int system = 0, group = -1, system_position = 0, group_position = 0;
    bool conventional = true;
};
std::vector<GroupVisit> groups_in_store_order(const SystemStore& store);

}  // namespace tarvex
