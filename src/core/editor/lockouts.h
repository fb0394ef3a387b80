#pragma once
// "Review LockOut Channels": everything the scanner is told to skip. Channels and talkgroups
// carry "On" in their Avoid column; systems, sites and groups in field 5 of their record line
// ("1" or "On", the reader and the editors spell it differently).
#include <set>
#include <string>
#include <vector>

#include "core/editor/duplicates.h"

namespace tarvex {

class EditingSession;

enum class LockoutKind { System, Site, Group, Channel, Talkgroup };
// "System", "Site", "Group", "Channel", "Talkgroup".
std::string_view lockout_kind_name(LockoutKind kind);

struct Lockout {
    LockoutKind kind = LockoutKind::Channel;
    RowPlace at;        // group -1 and row 0 for systems and sites; `row` holds the site index
    std::string key;    // the store key of a system, site or group
    std::string value;  // frequency or talkgroup; empty for the others
    std::string name;   // alpha tag or name
};

// Systems first where they stand, then their sites, then each group followed by its rows:
// store order, so the list reads like the browser.
std::vector<Lockout> find_lockouts(const SystemStore& store, const GroupFiles& files);

// Clears the lockout of each entry ("On" -> "Off", "1" -> "0"); entries that are no longer
// locked (or gone) are passed over. Group files are rewritten once each.
struct UnlockResult {
    int unlocked = 0;
    std::set<int> systems;
    bool structure = false;  // a system, site or group changed: the browser shows lockouts
};
UnlockResult unlock(SystemStore& store, GroupFiles& files, const std::vector<Lockout>& entries);
// The same on the session as one undo step: systems marked changed, the open editor reloaded
// and, when a system, site or group changed, the browser rebuilt. Returns how many.
int unlock_lockouts(EditingSession& session, const std::vector<Lockout>& entries);

}  // namespace tarvex
