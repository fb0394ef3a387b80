#include "core/location/location_form.h"

#include <gtest/gtest.h>

#include "core/base/prompter.h"
#include "core/model/record_line.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

using namespace tarvex;
using namespace tarvex::location;

TEST(LocationDialog, OpensFromTheEditorsDecimalFields) {
    LocationValues v = location_from_editor("44.352100", "-68,947300", "18.0");
    EXPECT_TRUE(v.used);
    EXPECT_EQ(v.longitude, "-68.947300");
    EXPECT_FALSE(location_from_editor("00.000000", "-00.000000", "0.0").used);
    EXPECT_FALSE(location_from_editor("", "", "").used);
}

TEST(LocationDialog, AcceptHoldsEveryValueToItsLimits) {
    LocationValues typed{"95", "200", "400", true};
    LocationValues v = accept_location(typed);
    EXPECT_EQ(v.latitude, "90.000000");
    EXPECT_EQ(v.longitude, "180.000000");
    EXPECT_EQ(v.range, "150");
    v = accept_location({"40.2096", "-74.01", "", true});
    EXPECT_EQ(v.latitude, "40.209600");
    EXPECT_EQ(v.range, "0");
    // tick off: the item has no location, whatever was typed
    v = accept_location({"40.2096", "-74.01", "5", false});
    EXPECT_EQ(v.latitude, "0.000000");
    EXPECT_EQ(v.longitude, "0.000000");
    EXPECT_EQ(v.range, "5");
}

TEST(LocationDialog, ApplyToAllWritesEverySiteOfTheSystemOnly) {
    RecordingPrompter prompter;
    SystemStore store(prompter);
    const std::string site =
        "SIF,Site,SiteId=0,TrunkId=0,Tower,Off,00.000000,-00.000000,0.0,AUTO,Standard,Wide,"
        "Circle,0";
    store.add_node("", "SYS-001", "SIN,Motorola,1");
    store.add_node("SYS-001", "SIT-001-001", site);
    store.add_node("SYS-001", "SIT-001-002", site);
    store.add_node("SYS-001", "GRP-999-001-000", "GIN,T-Group,a,b,Grp,Off,0,0,0");
    store.add_node("", "SYS-002", "SIN,Motorola,2");
    store.add_node("SYS-002", "SIT-002-001", site);
    EXPECT_EQ(apply_location_to_sites(store, 1, {"40.209600", "-74.010000", "12", true}), 2);
    EXPECT_EQ(store.get_node_text("SIT-001-002"),
              "SIF,Site,SiteId=0,TrunkId=0,Tower,Off,40.209600,-74.010000,12,AUTO,Standard,Wide,"
              "Circle,0");
    EXPECT_EQ(store.get_node_text("SIT-002-001"), site);
    EXPECT_EQ(store.get_node_text("GRP-999-001-000"), "GIN,T-Group,a,b,Grp,Off,0,0,0");
    EXPECT_GT(store.change_counter(1), 0);
}

TEST(LocationDialog, SettingsKeepHomeAndDefaults) {
    MemorySettingsBackend main, import;
    Settings settings(main, import);
    LocationSettings fresh = read_location_settings(settings);
    EXPECT_EQ(fresh.home_range, "25");
    EXPECT_EQ(fresh.defaults.range, "10");
    EXPECT_TRUE(fresh.defaults.ticks[3]);
    LocationSettings v = fresh;
    v.home_lat = "40.2096";
    v.gpsstate = "NJ";
    v.defaults.ticks = {true, false, true, false};
    write_location_settings(settings, v);
    LocationSettings back = read_location_settings(settings);
    EXPECT_EQ(back.home_lat, "40.2096");
    EXPECT_EQ(back.gpsstate, "NJ");
    EXPECT_EQ(back.defaults.ticks, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(state_list().size(), 56u);
    EXPECT_EQ(country_list()[6].code, "GB");
}
