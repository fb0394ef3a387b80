#include "core/editor/map_link.h"

#include <gtest/gtest.h>

namespace tarvex {

TEST(MapLink, CentresTheMapOnThePositionWithAMarker) {
    EXPECT_EQ(map_link("44.352100", "-68.947300"),
              "https://www.openstreetmap.org/?mlat=44.352100&mlon=-68.947300"
              "#map=12/44.352100/-68.947300");
    EXPECT_EQ(map_link(" 44.3", "-68"),
              "https://www.openstreetmap.org/?mlat=44.300000&mlon=-68.000000"
              "#map=12/44.300000/-68.000000");
}

TEST(MapLink, NoLinkWithoutAPosition) {
    // New records carry zeros: that is "not set", not a point in the Gulf of Guinea.
    EXPECT_EQ(map_link("0.000000", "-00.000000"), "");
    EXPECT_EQ(map_link("", "-68.9"), "");
    EXPECT_EQ(map_link("44.3N", "-68.9"), "");
    EXPECT_EQ(map_link("91", "10"), "");
    EXPECT_EQ(map_link("45", "-181"), "");
}

}  // namespace tarvex
