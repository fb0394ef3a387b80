#include "core/location/coordinates.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tarvex::location;

struct CompactCase {
    const char* text;
    bool longitude;
    const char* decimal;
};

class CompactToDecimal : public ::testing::TestWithParam<CompactCase> {};

TEST_P(CompactToDecimal, ReadsDegreesMinutesSecondsAndHundredths) {
    const auto& c = GetParam();
    EXPECT_EQ(compact_to_decimal(c.text, c.longitude), c.decimal) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CompactToDecimal,
    ::testing::Values(
        CompactCase{"40123456N", false, "40.209600"}, CompactCase{"074003600W", true, "-74.010000"},
        CompactCase{"33520000S", false, "-33.866667"},
        CompactCase{"151123000E", true, "151.208333"},
        // more than 180 degrees is held at 180
        CompactCase{"190000000W", true, "-180.000000"},
        CompactCase{"999999999E", true, "180.000000"},
        // the unset values and empty text are zero, never "-0"
        CompactCase{"00000000N", false, "0.000000"}, CompactCase{"000000000W", true, "0.000000"},
        CompactCase{"", false, "0.000000"},
        // a latitude reads eight digits only; the suffix of the other axis is no sign
        CompactCase{"401234569N", false, "40.209600"}, CompactCase{"40123456W", false, "40.209600"},
        CompactCase{"garbage", true, "0.000000"}));

struct DecimalCase {
    const char* value;
    int mode;
    const char* text;
};

class DecimalToText : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalToText, WritesEachMode) {
    const auto& c = GetParam();
    EXPECT_EQ(decimal_to_text(c.value, c.mode), c.text) << c.value << " mode " << c.mode;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DecimalToText,
    ::testing::Values(
        DecimalCase{"40.2096", 0, "401234.56"}, DecimalCase{"-40.2096", 0, "-401234.56"},
        DecimalCase{"-74.01", 1, "-740036.00"}, DecimalCase{"40.2096", 2, "40123456N"},
        DecimalCase{"-33.866667", 2, "33520000S"}, DecimalCase{"-74.01", 3, "074003600W"},
        DecimalCase{"5.5", 3, "005300000E"}, DecimalCase{"-74.01", 4, "0740036.00"},
        // the decimal comma of some locales reads as a point
        DecimalCase{"40,2096", 2, "40123456N"},
        // seconds that round up to 60 carry into the minutes
        DecimalCase{"10.9999999", 0, "110000.00"},
        // zero and empty are "unset": no text at all, not 00000000N
        DecimalCase{"0", 2, ""}, DecimalCase{"0.000000", 3, ""}, DecimalCase{"", 0, ""},
        DecimalCase{"40.2", 7, ""}));

TEST(Coordinates, CompactFormsSurviveTheRoundTrip) {
    for (const char* lat : {"40123456N", "1020304S", "89595999N"})
        EXPECT_EQ(decimal_to_text(compact_to_decimal(lat, false), 2), lat);
    for (const char* lon : {"074003600W", "179595999E", "000000100E"})
        EXPECT_EQ(decimal_to_text(compact_to_decimal(lon, true), 3), lon);
}

TEST(Coordinates, TypedValuesAreHeldToTheirLimits) {
    EXPECT_EQ(clamp_longitude("200"), "180");
    EXPECT_EQ(clamp_longitude("-180.5"), "-180");
    EXPECT_EQ(clamp_latitude("91"), "90");
    EXPECT_EQ(clamp_latitude("-90"), "-90");
    EXPECT_EQ(clamp_latitude("40.2096"), "40.2096");
    EXPECT_EQ(clamp_range("400"), "150");
    EXPECT_EQ(clamp_range("-3"), "0");
    EXPECT_EQ(clamp_range(""), "0");
    EXPECT_EQ(clamp_range("12.5"), "12.5");
}

// Ticks: latitude, longitude, range, "Enable GPS Scanning".
class DefaultLine : public ::testing::TestWithParam<std::tuple<int, const char*>> {};

TEST_P(DefaultLine, EachTickDecidesItsField) {
    auto [mask, expected] = GetParam();
    DefaultLocation d;
    d.latitude = "40.2096";
    d.longitude = "-74.01";
    d.range = "12";
    for (int i = 0; i < 4; ++i) d.ticks[static_cast<size_t>(i)] = (mask >> i) & 1;
    EXPECT_EQ(default_location_line(d), expected);
}

INSTANTIATE_TEST_SUITE_P(Ticks, DefaultLine,
                         ::testing::Values(std::tuple{0b1111, "40123456N,074003600W,12,1"},
                                           std::tuple{0b0000, "00000000N,000000000W,1,0"},
                                           std::tuple{0b0001, "40123456N,000000000W,1,0"},
                                           std::tuple{0b0010, "00000000N,074003600W,1,0"},
                                           std::tuple{0b0100, "00000000N,000000000W,12,0"},
                                           std::tuple{0b1000, "00000000N,000000000W,1,1"}));

TEST(DefaultLocationLine, UnsetOrWildDefaultsStayInBounds) {
    DefaultLocation d;  // no coordinates set yet, every tick on
    EXPECT_EQ(default_location_line(d), "00000000N,000000000W,10,1");
    d.range = "900";
    EXPECT_EQ(default_location_line(d), "00000000N,000000000W,150,1");
}

TEST(DefaultLocationLine, NewRecordsTakeItInDecimalDegrees) {
    const std::string site =
        "SIF,Site,SiteId=0,TrunkId=0,A New Site,Off,00.000000,-00.000000,0.0,AUTO,Standard,Wide,"
        "Circle,0";
    EXPECT_EQ(apply_default_location(site, "40123456N,074003600W,12,1"),
              "SIF,Site,SiteId=0,TrunkId=0,A New Site,Off,40.209600,-74.010000,12.0,AUTO,Standard,"
              "Wide,Circle,0");
    // scanning by location not enabled: the template as it was
    EXPECT_EQ(apply_default_location(site, "40123456N,074003600W,12,0"), site);
    // unset coordinates keep the template's spelling; the range still applies
    EXPECT_EQ(apply_default_location(site, "00000000N,000000000W,10,1"),
              "SIF,Site,SiteId=0,TrunkId=0,A New Site,Off,00.000000,-00.000000,10.0,AUTO,"
              "Standard,Wide,Circle,0");
    EXPECT_EQ(apply_default_location("GIN,short", "40123456N,074003600W,12,1"), "GIN,short");
}
