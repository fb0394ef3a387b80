#include "core/location/map_page.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/model/system_store.h"
#include "support/test_support.h"

using namespace tarvex;
using namespace tarvex::location;
using namespace tarvex::test;

TEST(MapPage, OnePointPageHasTheShapeTheBrowserNeeds) {
    std::string html = map_page_html(40.2096, -74.01, MapLibrary{});
    EXPECT_TRUE(starts_with(html, "<!DOCTYPE html>"));
    for (const char* part :
         {"initial-scale=1.0, user-scalable=no", "charset=\"utf-8\"", "<title>Circles</title>",
          "<div id=\"map-canvas\"></div>", "src=\"leaflet/leaflet.js\"",
          "L.latLng(40.209600, -74.010000)", "setView(result, 12)", "title: 'Hello World!'",
          "window.addEventListener('load', initialize)"})
        EXPECT_TRUE(contains(html, part)) << part;
    // the body holds only the map element
    auto body = html.substr(html.find("<body>"));
    EXPECT_EQ(body, "<body>\n<div id=\"map-canvas\"></div>\n</body>\n</html>\n");
}

TEST(MapPage, WrittenThroughATemporaryFileAndTheLibraryCopiedBesideIt) {
    TempDir dir;
    std::string error;
    auto path = write_map_page(dir.path(), 1.5, 2.5, MapLibrary{}, &error);
    ASSERT_FALSE(path.empty()) << error;
    EXPECT_EQ(path.filename(), "map.html");
    EXPECT_TRUE(contains(read_file(path), "L.latLng(1.500000, 2.500000)"));
    EXPECT_FALSE(std::filesystem::exists(dir / "map.html.tmp"));

    EXPECT_FALSE(install_map_library(dir / "nowhere", dir.path()));
    ASSERT_TRUE(install_map_library(resources_dir() / "leaflet", dir.path()));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "leaflet/leaflet.js"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "leaflet/images/marker-icon.png"));
    // a second install over the same files is harmless
    EXPECT_TRUE(install_map_library(resources_dir() / "leaflet", dir.path()));

    // a folder that cannot hold the page: a message, no page
    write_file(dir / "blocker", "x");
    EXPECT_TRUE(write_map_page(dir / "blocker", 1, 2, MapLibrary{}, &error).empty());
    EXPECT_FALSE(error.empty());
}

TEST(AllLocations, GroupsAndSitesWithAPositionEachGetAMarkerAndCircle) {
    RecordingPrompter prompter;
    SystemStore store(prompter);
    store.add_node("", "SYS-001", "SIN,Motorola,1,StateId=0,Metro,0");
    store.add_node("SYS-001", "GRP-999-001-000",
                   "GIN,T-Group,TGroupId=0,AgencyId=0,Fire; EMS {north},Off,40.2096,-74.01,5.0");
    store.add_node("SYS-001", "GRP-999-001-001",
                   "GIN,T-Group,TGroupId=0,AgencyId=0,No place,Off,0.000000,-00.000000,0.0");
    store.add_node("SYS-001", "GRP-999-001-002",
                   "GIN,T-Group,TGroupId=0,AgencyId=0,O'Hare </script>,Off,41.97,-87.9,2");
    store.add_node("SYS-001", "GRP-999-001-003", "GIN,T-Group,TGroupId=0,AgencyId=0,Bare");
    store.add_node("SYS-001", "SIT-001-001",
                   "SIF,Site,SiteId=0,TrunkId=0,Tower,Off,40.5,-74.5,25.0,AUTO,Standard,Wide,"
                   "Circle,0");

    auto groups = build_group_location_list(store);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "Fire/ EMS  north ");
    EXPECT_DOUBLE_EQ(groups[0].latitude, 40.2096);
    EXPECT_DOUBLE_EQ(groups[0].range_miles, 5.0);
    auto sites = build_site_location_list(store);
    ASSERT_EQ(sites.size(), 1u);
    EXPECT_EQ(sites[0].name, "Tower");

    auto points = groups;
    points.insert(points.end(), sites.begin(), sites.end());
    std::string html = all_locations_page_html(points, MapLibrary{});
    EXPECT_TRUE(contains(html, "['Tower', 40.500000, -74.500000, 40233.6"));
    EXPECT_TRUE(contains(html, "L.circle("));
    EXPECT_TRUE(contains(html, "fitBounds"));
    // a name cannot close the script element or the string it sits in
    EXPECT_FALSE(contains(html, "</script>,"));
    EXPECT_TRUE(contains(html, "'O Hare \\x3c/script>'"));
}
