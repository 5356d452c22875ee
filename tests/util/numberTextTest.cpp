#include "util/numberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace {

bool whole(const char* text, int64_t lowest, int64_t highest, int64_t* value) {
    *value = 12345;
    return readWholeNumber(text, lowest, highest, value);
}

TEST(NumberText, WholeNumbersAreTheWholeTextAndOnlyTheMinusSign) {
    int64_t value = 0;
    EXPECT_TRUE(whole("0", 0, 10, &value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(whole("007", 0, 10, &value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(whole("-5", -10, 10, &value));
    EXPECT_EQ(value, -5);
    for (const char* bad : {"", "-", "+5", " 5", "5 ", "5x", "0x5", "5.0", "--5", "- 5", "٣"}) {
        EXPECT_FALSE(whole(bad, -10, 10, &value)) << bad;
        EXPECT_EQ(value, 12345) << bad; // untouched
    }
}

TEST(NumberText, WholeNumberRangesIncludeTheirEndsAndNeverWrap) {
    int64_t value = 0;
    EXPECT_TRUE(whole("1", 1, 256, &value));
    EXPECT_TRUE(whole("256", 1, 256, &value));
    EXPECT_FALSE(whole("0", 1, 256, &value));
    EXPECT_FALSE(whole("257", 1, 256, &value));
    EXPECT_FALSE(whole("-1", 0, 256, &value));
    EXPECT_TRUE(whole("9223372036854775807", INT64_MIN, INT64_MAX, &value));
    EXPECT_EQ(value, INT64_MAX);
    EXPECT_TRUE(whole("-9223372036854775808", INT64_MIN, INT64_MAX, &value));
    EXPECT_EQ(value, INT64_MIN);
    EXPECT_FALSE(whole("9223372036854775808", INT64_MIN, INT64_MAX, &value));
    EXPECT_FALSE(whole("-9223372036854775809", INT64_MIN, INT64_MAX, &value));
    // 2^64 + 1 would wrap to 1.
    EXPECT_FALSE(whole("18446744073709551617", 0, 10, &value));
    EXPECT_TRUE(whole("00000000000000000000000000000003", 0, 10, &value));
    EXPECT_EQ(value, 3);
}

TEST(NumberText, CountsHaveNoSignAndTakeHexadecimalOnlyWhenAsked) {
    uint64_t value = 0;
    EXPECT_TRUE(readCount("18446744073709551615", UINT64_MAX, &value));
    EXPECT_EQ(value, UINT64_MAX);
    EXPECT_FALSE(readCount("18446744073709551616", UINT64_MAX, &value));
    EXPECT_FALSE(readCount("-0", 10, &value));
    EXPECT_FALSE(readCount("+1", 10, &value));
    EXPECT_FALSE(readCount("0x1f", 100, &value));
    EXPECT_TRUE(readCount("0x1f", 100, &value, CountDigits::decimalOrHexadecimal));
    EXPECT_EQ(value, 31u);
    EXPECT_TRUE(readCount("0XFFFFFFFF", 0xFFFFFFFFu, &value, CountDigits::decimalOrHexadecimal));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_TRUE(readCount("31", 100, &value, CountDigits::decimalOrHexadecimal));
    EXPECT_EQ(value, 31u);
    for (const char* bad : {"0x", "x1", "0x1g", "0x 1", "0x100000000", "1f"}) {
        EXPECT_FALSE(readCount(bad, 0xFFFFFFFFu, &value, CountDigits::decimalOrHexadecimal)) << bad;
    }
}

TEST(NumberText, RealsAreDecimalWithAnOptionalExponent) {
    float value = 0;
    const float any = FLT_MAX;
    EXPECT_TRUE(readReal("7.5", -any, any, &value));
    EXPECT_EQ(value, 7.5f);
    EXPECT_TRUE(readReal("-.5", -any, any, &value));
    EXPECT_EQ(value, -0.5f);
    EXPECT_TRUE(readReal("5.", -any, any, &value));
    EXPECT_EQ(value, 5.0f);
    EXPECT_TRUE(readReal("2e+3", -any, any, &value));
    EXPECT_EQ(value, 2000.0f);
    EXPECT_TRUE(readReal("25E-1", -any, any, &value));
    EXPECT_EQ(value, 2.5f);
    // Rounded once, to float, as strtof rounds: 0.1 is not the double 0.1 made float twice.
    EXPECT_TRUE(readReal("0.1", -any, any, &value));
    EXPECT_EQ(value, 0.1f);
    EXPECT_TRUE(readReal("1e-50", -any, any, &value));
    EXPECT_EQ(value, 0.0f);
    value = 3;
    for (const char* bad : {"", ".", "-", "+1", " 1", "1 ", "1e", "1e+", "e5", "1.5.2", "inf",
                            "nan", "0x1p3", "1,5", "1e39", "-1e39", "--1"}) {
        EXPECT_FALSE(readReal(bad, -any, any, &value)) << bad;
        EXPECT_EQ(value, 3.0f) << bad;
    }
    EXPECT_TRUE(readReal("1000", 0, 1000, &value));
    EXPECT_FALSE(readReal("1000.001", 0, 1000, &value));
    EXPECT_FALSE(readReal("-0.5", 0, 1000, &value));
}

TEST(NumberText, SizesAreTwoWholeNumbersAroundALowerCaseX) {
    int32_t width = 0;
    int32_t height = 0;
    EXPECT_TRUE(readSize("640x480", 16384, &width, &height));
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_TRUE(readSize("16384x1", 16384, &width, &height));
    EXPECT_EQ(width, 16384);
    EXPECT_EQ(height, 1);
    for (const char* bad :
         {"800", "800X600", "0x600", "800x0", "16385x10", "800x600x", "-8x6", "8x-6", "800 x600",
          "800x 600", "x600", "800x", "+8x6", "8x+6", "99999999999999999999x1", ""}) {
        width = height = 7;
        EXPECT_FALSE(readSize(bad, 16384, &width, &height)) << bad;
        EXPECT_EQ(width, 7) << bad;
        EXPECT_EQ(height, 7) << bad;
    }
}

TEST(NumberText, FormattedIntegerTakesTheLeadingPartAndASign) {
    int32_t value = 0;
    bool fits = false;
    EXPECT_EQ(scanFormattedInteger("1024x768", &value, &fits), 4u);
    EXPECT_TRUE(fits);
    EXPECT_EQ(value, 1024);
    EXPECT_EQ(scanFormattedInteger("+5", &value, &fits), 2u);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(scanFormattedInteger("-2147483648 ", &value, &fits), 11u);
    EXPECT_TRUE(fits);
    EXPECT_EQ(value, INT32_MIN);
    value = 9;
    EXPECT_EQ(scanFormattedInteger("2147483648", &value, &fits), 10u);
    EXPECT_FALSE(fits);
    EXPECT_EQ(scanFormattedInteger("99999999999999999999999999", &value, &fits), 26u);
    EXPECT_FALSE(fits);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(scanFormattedInteger("x", &value, &fits), 0u);
    EXPECT_EQ(scanFormattedInteger("-", &value, &fits), 0u);
    EXPECT_EQ(scanFormattedInteger(" 5", &value, &fits), 0u);
    EXPECT_EQ(value, 9);
}

TEST(NumberText, FormattedRealTakesWhatPercentFTakes) {
    float value = 0;
    EXPECT_EQ(scanFormattedReal("20.000000", &value), 9u);
    EXPECT_EQ(value, 20.0f);
    EXPECT_EQ(scanFormattedReal("+5x", &value), 2u);
    EXPECT_EQ(value, 5.0f);
    EXPECT_EQ(scanFormattedReal("0x1p3", &value), 5u);
    EXPECT_EQ(value, 8.0f);
    EXPECT_EQ(scanFormattedReal("inf", &value), 3u);
    EXPECT_TRUE(std::isinf(value));
    value = 1;
    EXPECT_EQ(scanFormattedReal("fast", &value), 0u);
    EXPECT_EQ(scanFormattedReal(" 5", &value), 0u);
    EXPECT_EQ(scanFormattedReal("", &value), 0u);
    EXPECT_EQ(value, 1.0f);
}

} // namespace
