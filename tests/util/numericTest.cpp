#include "util/numeric.h"
#include "util/asciiCase.h"
#include "util/bitSet.h"
#include "util/figureEight.h"
#include "util/stringCopy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

TEST(Numeric, TiesGoToTheSecondArgument) {
    const double negativeZero = -0.0;
    EXPECT_TRUE(std::signbit(maxReal(0.0, negativeZero)));
    EXPECT_TRUE(std::signbit(minReal(0.0, negativeZero)));
    EXPECT_FALSE(std::signbit(maxReal(negativeZero, 0.0)));
    EXPECT_EQ(maxInt(3, 7), 7);
    EXPECT_EQ(minInt(3, 7), 3);
    EXPECT_EQ(minUnsigned(0xFFFFFFFFu, 1u), 1u);
}

TEST(Numeric, OneSidedLimitsAndSign) {
    EXPECT_EQ(atLeastZero(-3.5), 0.0);
    EXPECT_EQ(atLeastZero(2.5), 2.5);
    EXPECT_EQ(atMostZero(2.0), 0.0);
    EXPECT_EQ(atMostZero(-2.0), -2.0);
    EXPECT_EQ(atLeastZeroInt(-1), 0);
    EXPECT_EQ(atMostZeroInt(0), 0);
    EXPECT_EQ(atMostZeroInt(5), 0);
    EXPECT_EQ(signOf(-0.0), 0.0);
    EXPECT_EQ(signOf(0.0), 0.0);
    EXPECT_EQ(signOf(-1e-300), -1.0);
    EXPECT_EQ(signOf(7.0), 1.0);
}

TEST(Numeric, Powers) {
    EXPECT_EQ(square(-3.0), 9.0);
    EXPECT_EQ(cube(-2.0), -8.0);
    EXPECT_EQ(inverseSquare(4.0), 0.0625);
}

// Toward zero at the edges of the range and beyond; inside it, the plain conversion's result
// for every value (WebAssembly takes the whole part through the low bits of a sum instead).
TEST(Numeric, TruncationTowardZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {
        -0.0,         0.99,          -0.99, -1.5, 2147483647.99, -2147483648.99,
        2147483648.0, -2147483649.0, nan,   inf,  -inf};
    const int32_t wholes[] = {0,         0,         0,         -1,        INT32_MAX, INT32_MIN,
                              INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN};
    for (size_t at = 0; at < sizeof values / sizeof values[0]; ++at) {
        EXPECT_EQ(truncateToInt32(values[at]), wholes[at]) << values[at];
    }
    uint64_t state = 12345;
    for (int i = 0; i < 1000000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double fraction = static_cast<double>(state >> 11) / 9007199254740992.0;
        // Magnitudes of every size up to 2^31, and both signs.
        const double value = std::ldexp(fraction, static_cast<int>(state % 32)) *
                             ((state >> 7) % 2 != 0 ? -1.0 : 1.0);
        ASSERT_EQ(truncateInRange(value), static_cast<int32_t>(value)) << value;
    }
}

TEST(AsciiCase, ChangesOnlyLetters) {
    EXPECT_EQ(toLowerAscii('Q'), 'q');
    EXPECT_EQ(toLowerAscii('['), '[');
    EXPECT_EQ(toLowerAscii('@'), '@');
    EXPECT_EQ(toUpperAscii('z'), 'Z');
    EXPECT_EQ(toUpperAscii('{'), '{');
    EXPECT_EQ(toUpperAscii(0xE9), -23);
    EXPECT_EQ(toLowerAscii(0x100 + 'A'), 'a');
}

TEST(AsciiCase, ByteToUnsigned) {
    EXPECT_EQ(byteToUnsigned(-1), 255);
    EXPECT_EQ(byteToUnsigned(300), 44);
    EXPECT_EQ(byteToUnsigned(0), 0);
}

TEST(BitSet, SetsAndClearsSingleBits) {
    uint8_t bits[4] = {};
    setBit(bits, 9, 1);
    EXPECT_EQ(bits[1], 2);
    EXPECT_EQ(testBit(bits, 9), 1);
    EXPECT_EQ(testBit(bits, 8), 0);
    setBit(bits, 15, 5);
    EXPECT_EQ(bits[1], 0x82);
    setBit(bits, 9, 0);
    EXPECT_EQ(bits[1], 0x80);
    EXPECT_EQ(bits[0], 0);
}

TEST(StringCopy, ReplaceFreesAndCopies) {
    char* text = nullptr;
    EXPECT_EQ(replaceString(&text, "mallards"), 8);
    EXPECT_STREQ(text, "mallards");
    EXPECT_EQ(replaceString(&text, ""), 0);
    EXPECT_STREQ(text, "");
    std::free(text);
}

TEST(StringCopy, DuplicateLeavesTheOldStringToTheCaller) {
    char* first = nullptr;
    duplicateString(&first, "one");
    char* keep = first;
    EXPECT_EQ(duplicateString(&first, "three"), 5);
    EXPECT_STREQ(keep, "one");
    EXPECT_STREQ(first, "three");
    std::free(keep);
    std::free(first);
}

TEST(FigureEight, CentredOnTheScreen) {
    EXPECT_EQ(figureEightX(0, 800), static_cast<float>(800 / 3.0 + 400));
    EXPECT_NEAR(figureEightX(0, 800), 666.6667f, 1e-3);
    EXPECT_EQ(figureEightY(0, 600), 300.0f);
    // Odd sizes halve with integer division.
    EXPECT_EQ(figureEightX(3.14159265358979 / 2, 801),
              static_cast<float>(std::cos(3.14159265358979 / 2) * 801 / 3.0 + 400));
}
