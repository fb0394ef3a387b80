// Number texts far beyond any real value: typed into a grid or found in a damaged file, they
// are held at a limit, never wrapped around into nonsense of the other sign.
#include <gtest/gtest.h>

#include <limits>

#include "core/base/text.h"

using namespace tarvex;

TEST(HugeNumbers, FrequenciesTooLongForAnyUseStayPositiveAndOrdered) {
    EXPECT_EQ(mhz_to_hz("851.0125"), 851012500);
    EXPECT_EQ(mhz_to_hz("999999999999.999999"), 999999999999999999);
    long long thirteen = mhz_to_hz("9999999999999");
    long long twenty = mhz_to_hz("99999999999999999999.9999995");
    EXPECT_GT(thirteen, 999999999999999999);
    EXPECT_GE(twenty, thirteen);
    EXPECT_LT(mhz_to_hz("-99999999999999999999"), 0);
    EXPECT_GT(decimal_to_scaled("99999999999999999999", 3), 0);
    EXPECT_GT(decimal_to_scaled("99999999999999999999.95", 1), 0);
}

TEST(HugeNumbers, TheMostNegativeNumberIsPaddedWithItsSign) {
    EXPECT_EQ(pad_number(std::numeric_limits<long long>::min(), 3), "-9223372036854775808");
    EXPECT_EQ(pad_number(-7, 3), "-007");
}

// The application key rule both the preferences dialog and the service client apply: a form
// one of them took and the other refused would send a key the service rejects, or refuse a
// key the user was told is fine.
struct AppKeyCase {
    const char* typed;
    std::optional<std::string> taken;
};

class AppKeySetting : public ::testing::TestWithParam<AppKeyCase> {};

TEST_P(AppKeySetting, OnlyEmptyOrEightDecimalDigitsAreTaken) {
    EXPECT_EQ(app_key_setting(GetParam().typed), GetParam().taken) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, AppKeySetting,
    ::testing::Values(AppKeyCase{"", ""}, AppKeyCase{"   ", ""}, AppKeyCase{"12345678", "12345678"},
                      AppKeyCase{" 00000042 ", "00000042"}, AppKeyCase{"1234567", std::nullopt},
                      AppKeyCase{"123456789", std::nullopt}, AppKeyCase{"1234567a", std::nullopt},
                      AppKeyCase{"-1234567", std::nullopt}, AppKeyCase{"12 45678", std::nullopt},
                      AppKeyCase{"１2345678", std::nullopt}));
