#pragma once
// Structural operations on the store that also touch the group channel files: deleting and
// pasting systems, sites and groups, and the group location list for the map.
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

class SystemStore;
class GroupFiles;

// Removes the system with everything beneath it, its group files, its change counter and its
// side-table values.
void delete_system(SystemStore& store, GroupFiles& files, int system);
// Removes the site with its frequencies and its custom bandplan (a later site that reuses the
// index must not inherit a stale plan).
void delete_site(SystemStore& store, int system, int site);
void delete_group(SystemStore& store, GroupFiles& files, int system, int group);

// Each returns the new index, or nullopt when nothing was pasted (no index free, nothing
// copied, store full).
std::optional<int> paste_system(SystemStore& store, GroupFiles& files, int copied_system);
std::optional<int> paste_site(SystemStore& store, int copied_system, int target_system,
                              int copied_site);
std::optional<int> paste_group(SystemStore& store, GroupFiles& files, int copied_system,
                               int target_system, int copied_group);

struct GroupLocation {
    std::string name, latitude, longitude;
};
// Every group with a latitude and a longitude, at most 5000, name cleaned for the map page.
std::vector<GroupLocation> build_group_location_list(const SystemStore& store);

}  // namespace tarvex
