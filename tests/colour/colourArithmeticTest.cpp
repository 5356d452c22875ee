#include "colour/colourArithmetic.h"

#include <gtest/gtest.h>

namespace {

TEST(MultiplyColour, ChannelsMultiplyAndDropEightBits) {
    EXPECT_EQ(multiplyColour(0xFFFFFF, 0xFFFFFF), 0xFEFEFEu);
    EXPECT_EQ(multiplyColour(0xFFFFFF, 0x123456), 0x113355u);
    EXPECT_EQ(multiplyColour(0x123456, 0xFFFFFF), 0x113355u);
    EXPECT_EQ(multiplyColour(0xFFFFFF, 0), 0u);
    EXPECT_EQ(multiplyColour(0x808080, 0x808080), 0x404040u);
    // Channels stay apart: no carry from one into the next.
    EXPECT_EQ(multiplyColour(0xFF0000, 0x00FFFF), 0u);
    EXPECT_EQ(multiplyColour(0x010203, 0x800000), 0u);
}

TEST(MultiplyColour, ResultTopByteIsZero) {
    EXPECT_EQ(multiplyColour(0xFFFFFFFF, 0xFFFFFFFF), 0xFEFEFEu);
}

TEST(ScreenColour, FollowsTheScreenBlendRule) {
    EXPECT_EQ(screenColour(0, 0), 0x010101u);
    EXPECT_EQ(screenColour(0x808080, 0), 0x818181u);
    EXPECT_EQ(screenColour(0x808080, 0x808080), 0xC0C0C0u);
    for (Colour c : {0u, 0x123456u, 0x808080u, 0xFFFFFFu}) {
        EXPECT_EQ(screenColour(c, 0xFFFFFF), 0xFFFFFFu) << std::hex << c;
        EXPECT_EQ(screenColour(0xFFFFFF, c), 0xFFFFFFu) << std::hex << c;
    }
}

TEST(ScreenColour, EveryChannelPairMatchesTheFormula) {
    for (uint32_t x = 0; x < 256; x += 5) {
        for (uint32_t y = 0; y < 256; y += 3) {
            uint32_t expected = 255 - (((255 - x) * (255 - y)) >> 8);
            Colour result = screenColour(x << 16 | y << 8 | x, y << 16 | x << 8 | 0xFF);
            ASSERT_EQ(result >> 16, expected) << x << " " << y;
            ASSERT_EQ((result >> 8) & 255, expected) << x << " " << y;
            ASSERT_EQ(result & 255, 255u);
        }
    }
}

} // namespace
