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
