#pragma once
// Writing the map pages where the program keeps them (the data folder) with the map library
// beside them, and the address to open them by.
#include <filesystem>
#include <string>
#include <vector>

#include "core/location/map_page.h"

namespace tarvex {

class Prompter;

// The library the pages load: copied from the installation's "leaflet" folder next to the
// program into `folder`, or the public copy when the installation has none.
location::MapLibrary map_library_for(const std::filesystem::path& folder);

// "map.html" of one point; its file:// address, or "" after telling the user why not.
std::string write_point_map(const std::filesystem::path& folder, double latitude, double longitude,
                            Prompter& prompter);
// "map_all.html" of many points; "" (after a message) when there is nothing to show.
std::string write_all_map(const std::filesystem::path& folder,
                          const std::vector<location::MapPoint>& points, Prompter& prompter);

inline constexpr std::string_view k_nothing_on_map = "No site or group has a location.";

}  // namespace tarvex
