// Distances between places, as the selection by distance from home uses them.
#include "core/location/distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace tarvex::location;

namespace {

struct DistanceCase {
    double lat1, lon1, lat2, lon2;
    double miles;  // published great-circle figure
    double tolerance;
};

class Distance : public ::testing::TestWithParam<DistanceCase> {};

}  // namespace

TEST_P(Distance, MatchesTheGreatCircleFigureBothWays) {
    const DistanceCase& c = GetParam();
    EXPECT_NEAR(distance_miles(c.lat1, c.lon1, c.lat2, c.lon2), c.miles, c.tolerance);
    EXPECT_NEAR(distance_miles(c.lat2, c.lon2, c.lat1, c.lon1), c.miles, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Places, Distance,
    ::testing::Values(
        DistanceCase{40.7128, -74.0060, 34.0522, -118.2437, 2445.6, 2.0},  // New York - Los Angeles
        DistanceCase{51.4700, -0.4543, 52.3105, 4.7683, 230.0, 2.0},       // Heathrow - Schiphol
        DistanceCase{40.0, -74.0, 41.0, -74.0, 69.09, 0.05},               // one degree of latitude
        DistanceCase{0.0, 179.5, 0.0, -179.5, 69.09, 0.05},                // across the date line
        DistanceCase{44.35, -68.95, 44.35, -68.95, 0.0, 1e-9},
        // Antipodes: half the circumference, no NaN from rounding.
        DistanceCase{10.0, 20.0, -10.0, -160.0, std::numbers::pi* k_earth_radius_miles, 1e-6}));

TEST(WithinRange, TheEdgeCountsAsInsideAndNoRangeHoldsOnlyTheCentre) {
    const double edge = distance_miles(40.0, -74.0, 40.3, -74.0);
    EXPECT_TRUE(within_range(40.0, -74.0, edge, 40.3, -74.0));
    EXPECT_FALSE(within_range(40.0, -74.0, edge - 0.01, 40.3, -74.0));
    EXPECT_TRUE(within_range(40.0, -74.0, 0, 40.0, -74.0));
    EXPECT_FALSE(within_range(40.0, -74.0, 0, 40.0001, -74.0));
    EXPECT_FALSE(within_range(40.0, -74.0, -1, 40.0, -74.0));
    EXPECT_FALSE(within_range(40.0, -74.0, std::nan(""), 40.0, -74.0));
}

TEST(IsUnset, ZeroZeroAndNonNumbersMeanNoLocation) {
    EXPECT_TRUE(is_unset(0.0, 0.0));
    EXPECT_TRUE(is_unset(0.0, -0.0));
    EXPECT_TRUE(is_unset(std::nan(""), 5.0));
    EXPECT_FALSE(is_unset(0.0, -74.0));
    EXPECT_FALSE(is_unset(51.5, 0.0));
}
