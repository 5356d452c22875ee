#include "scene/structureGenerator.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

Colour rgb(int32_t r, int32_t g, int32_t b) {
    return static_cast<Colour>(r << 16 | g << 8 | b);
}

int32_t brightestChannel(Colour c) {
    const int32_t r = (c >> 16) & 255;
    const int32_t g = (c >> 8) & 255;
    const int32_t b = c & 255;
    return r > g ? (r > b ? r : b) : (g > b ? g : b);
}

TEST(BranchColourTest, WhiteWithoutRotationLosesThirtyThreeTwentyThreeThirteen) {
    const Colour first = branchColour(0xFFFFFF, 0.5f);
    EXPECT_EQ(first, rgb(222, 232, 242));
    EXPECT_EQ(branchColour(first, 0.5f), rgb(189, 209, 229));
}

TEST(BranchColourTest, ChannelsClampAtZero) {
    EXPECT_EQ(branchColour(rgb(20, 30, 40), 0.5f), rgb(0, 7, 27));
    EXPECT_EQ(branchColour(rgb(33, 23, 13), 0.5f), 0u);
}

// Positive weight: blue takes from green, green from red, red from blue; negative weight the
// other way round. Every new channel comes from the old decremented channels.
TEST(BranchColourTest, RotationDirectionFollowsTheSignOfTheWeight) {
    // v = 1 gives k = 0.375 and m = 0.625 from (222, 232, 242).
    EXPECT_EQ(branchColour(0xFFFFFF, 1.0f), rgb(229, 228, 238));
    // v = 0 gives k = −0.375.
    EXPECT_EQ(branchColour(0xFFFFFF, 0.0f), rgb(225, 235, 234));
    // A single channel spreads into its neighbour only.
    EXPECT_EQ(branchColour(rgb(133, 0, 0), 1.0f), rgb(62, 37, 0));
    EXPECT_EQ(branchColour(rgb(133, 0, 0), 0.0f), rgb(62, 0, 37));
}

TEST(BranchColourTest, DarkGreysHaveNoBranchColour) {
    for (int32_t grey = 0; grey <= 13; ++grey) {
        for (float v : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) {
            EXPECT_EQ(branchColour(static_cast<Colour>(grey * 0x010101), v), 0u) << grey;
        }
    }
    EXPECT_EQ(branchColour(14 * 0x010101, 0.5f), 1u);
}

TEST(BranchColourTest, TopByteOfTheIncomingColourIsIgnored) {
    EXPECT_EQ(branchColour(0xFF000000u | 0xFFFFFF, 0.5f), rgb(222, 232, 242));
}

TEST(BranchColourTest, BrightestChannelFallsByThirteenAtLeastSoDepthIsAtMostTwenty) {
    const float values[] = {0.0f, 0.1f, 0.37f, 0.5f, 0.63f, 0.9f, 1.0f};
    for (float v : values) {
        Colour c = 0xFFFFFF;
        int32_t levels = 1;
        while (true) {
            const Colour next = branchColour(c, v);
            if (next == 0) {
                break;
            }
            ASSERT_LE(brightestChannel(next), brightestChannel(c) - 13) << v;
            c = next;
            ++levels;
        }
        EXPECT_LE(levels, 20) << v;
        if (v == 0.5f) {
            // Blue runs out last: 255 − 19 × 13 = 8 on the twentieth level.
            EXPECT_EQ(levels, 20);
            EXPECT_EQ(c, 8u);
        }
    }
}

} // namespace
