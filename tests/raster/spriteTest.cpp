#include "raster/areaTestSupport.h"
#include "support/testNames.h"

#include "raster/sprites.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A sprite of w x h pixels of bytesPerPixel bytes; pixel (c, r) gets the bytes
// value(c, r) + k for its k-th byte.
std::vector<uint8_t> makeSprite(int w, int h, int bytesPerPixel, uint8_t base = 0x20) {
    std::vector<uint8_t> sprite(2 + w * h * bytesPerPixel);
    sprite[0] = static_cast<uint8_t>(w);
    sprite[1] = static_cast<uint8_t>(h);
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            for (int k = 0; k < bytesPerPixel; ++k) {
                sprite[2 + (r * w + c) * bytesPerPixel + k] =
                    static_cast<uint8_t>(base + 16 * r + c + k);
            }
        }
    }
    return sprite;
}

int spriteBytesPerPixel() {
    return display.pixelMode == 1 ? 1 : 3;
}

// Source pixel (c, r) of makeSprite as the colour peek would give it.
uint32_t spriteColour(int c, int r, uint8_t base = 0x20) {
    const uint32_t b = static_cast<uint8_t>(base + 16 * r + c);
    if (display.pixelMode == 1) {
        return b;
    }
    return b | (b + 1) << 8 | (b + 2) << 16;
}

class SpriteTest : public SystemTestWithParam<PixelMode> {
  protected:
    MemoryDisplay memory;
};

INSTANTIATE_TEST_SUITE_P(EveryMode, SpriteTest, ::testing::Values(1, 3, 4), namePixelMode);

TEST_P(SpriteTest, KeyedSpriteCopiesRowsFromTopToBottom) {
    openMemoryDisplay(&memory, 16, 8, GetParam(), 3);
    const auto sprite = makeSprite(3, 2, spriteBytesPerPixel());
    pixelOps.blitSprite(5, 4, sprite.data());
    EXPECT_EQ(touchedSet(memory), block(5, 4, 7, 5));
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(colourAt(memory, 5 + c, 4 + r), spriteColour(c, r));
        }
    }
}

// A negative position counts from the bottom edge; the second row then lies past the wrap
// limit and moves up by one row fewer than the area's height, to row 1.
TEST_P(SpriteTest, NegativeRowWrapsToTheBottomAndThenToRowOne) {
    openMemoryDisplay(&memory, 8, 6, GetParam(), 2);
    const auto sprite = makeSprite(2, 2, spriteBytesPerPixel());
    pixelOps.blitSprite(0, -1, sprite.data());
    EXPECT_EQ(touchedSet(memory), unite(block(0, 5, 1, 5), block(0, 1, 1, 1)));
    EXPECT_EQ(colourAt(memory, 0, 5), spriteColour(0, 0));
    EXPECT_EQ(colourAt(memory, 1, 1), spriteColour(1, 1));
}

TEST_P(SpriteTest, StartExactlyOnTheWrapLimitGoesToRowZero) {
    openMemoryDisplay(&memory, 16, 6, GetParam());
    const auto sprite = makeSprite(10, 2, spriteBytesPerPixel());
    pixelOps.blitSprite(16 - 10, 6 - 1, sprite.data());
    EXPECT_EQ(touchedSet(memory), block(6, 0, 15, 1));
    EXPECT_EQ(colourAt(memory, 6, 0), spriteColour(0, 0));
    EXPECT_EQ(colourAt(memory, 6, 1), spriteColour(0, 1));
}

TEST_P(SpriteTest, NegativeColumnCountsFromTheRightEdge) {
    openMemoryDisplay(&memory, 16, 6, GetParam());
    const auto sprite = makeSprite(2, 1, spriteBytesPerPixel());
    pixelOps.blitSprite(-3, 2, sprite.data());
    EXPECT_EQ(touchedSet(memory), block(13, 2, 14, 2));
}

// No clipping at the right edge: the row runs on into the following bytes.
TEST_P(SpriteTest, RowPastTheRightEdgeContinuesIntoTheNextRow) {
    openMemoryDisplay(&memory, 16, 6, GetParam());
    const auto sprite = makeSprite(5, 1, spriteBytesPerPixel());
    pixelOps.blitSprite(13, 2, sprite.data());
    EXPECT_EQ(touchedSet(memory), unite(block(13, 2, 15, 2), block(0, 3, 1, 3)));
    EXPECT_EQ(colourAt(memory, 1, 3), spriteColour(4, 0));
}

TEST_P(SpriteTest, TransparentPixelsLeaveTheDestination) {
    openMemoryDisplay(&memory, 8, 4, GetParam(), 0, 0x77);
    std::vector<uint8_t> sprite = {3, 1};
    if (GetParam() == 1) {
        sprite.insert(sprite.end(), {0x10, 255, 0x12});
    } else {
        sprite.insert(sprite.end(), {0x56, 0x34, 0x12, 0x56, 0x34, 0x13, 0x57, 0x34, 0x12});
    }
    pixelOps.blitSprite(1, 1, sprite.data());
    if (GetParam() == 1) {
        EXPECT_EQ(colourAt(memory, 1, 1), 0x10u);
        EXPECT_EQ(colourAt(memory, 2, 1), 0x77u);
        EXPECT_EQ(colourAt(memory, 3, 1), 0x12u);
    } else {
        EXPECT_EQ(colourAt(memory, 1, 1), 0x777777u) << "the exact key triple";
        EXPECT_EQ(colourAt(memory, 2, 1), 0x133456u) << "red differs";
        EXPECT_EQ(colourAt(memory, 3, 1), 0x123457u) << "blue differs";
    }
    if (GetParam() == 4) {
        EXPECT_EQ(pixelAt(memory, memory.back, 2, 1)[3], 0x77) << "fourth byte";
    }
}

TEST_P(SpriteTest, OutsideItsDomainTheKeyedSpriteDrawsNothing) {
    openMemoryDisplay(&memory, 8, 6, GetParam());
    const auto sprite = makeSprite(2, 2, spriteBytesPerPixel());
    pixelOps.blitSprite(8, 0, sprite.data());
    pixelOps.blitSprite(-9, 0, sprite.data());
    pixelOps.blitSprite(0, 6, sprite.data());
    pixelOps.blitSprite(0, -7, sprite.data());
    pixelOps.blitSprite(INT32_MIN, INT32_MAX, sprite.data());
    const auto wide = makeSprite(9, 1, spriteBytesPerPixel());
    pixelOps.blitSprite(0, 0, wide.data());
    EXPECT_TRUE(touchedSet(memory).empty());
}

// One row high there is nothing to wrap back over: the first row is cut at the buffer's end
// and the later ones, wholly past it, are dropped.
TEST_P(SpriteTest, OneRowAreaCutsTheRowAtTheBufferEnd) {
    openMemoryDisplay(&memory, 8, 1, GetParam());
    const auto sprite = makeSprite(4, 3, spriteBytesPerPixel());
    pixelOps.blitSprite(6, 0, sprite.data());
    EXPECT_EQ(touchedSet(memory), block(6, 0, 7, 0));
    EXPECT_EQ(colourAt(memory, 7, 0), spriteColour(1, 0)) << "later rows lie past the buffer";
}

TEST_P(SpriteTest, EmptySpritesDrawNothing) {
    openMemoryDisplay(&memory, 8, 6, GetParam());
    const uint8_t noWidth[] = {0, 5};
    const uint8_t noHeight[] = {5, 0};
    pixelOps.blitSprite(1, 1, noWidth);
    pixelOps.blitSprite(1, 1, noHeight);
    pixelOps.blitSpriteClipped(1, 1, noWidth);
    EXPECT_TRUE(touchedSet(memory).empty());
}

TEST_P(SpriteTest, ClippedSpriteIsEightBitOnly) {
    openMemoryDisplay(&memory, 8, 6, GetParam());
    const auto sprite = makeSprite(3, 3, 1);
    pixelOps.blitSpriteClipped(2, 2, sprite.data());
    if (GetParam() == 1) {
        EXPECT_EQ(touchedSet(memory), block(2, 2, 4, 4));
    } else {
        EXPECT_TRUE(touchedSet(memory).empty());
    }
}

class EightBitSpriteTest : public SystemTest {
  protected:
    MemoryDisplay memory;
};

TEST_F(EightBitSpriteTest, ClippedSpriteDropsWhatLiesOutsideWithoutWrapping) {
    openMemoryDisplay(&memory, 8, 6, 1, 2);
    auto sprite = makeSprite(3, 3, 1);
    sprite[2 + 4] = 255; // the centre pixel is transparent
    pixelOps.blitSpriteClipped(-1, -1, sprite.data());
    EXPECT_EQ(touchedSet(memory), (PixelSet{{1, 0}, {0, 1}, {1, 1}}));
    EXPECT_EQ(colourAt(memory, 1, 1), spriteColour(2, 2));
    openMemoryDisplay(&memory, 8, 6, 1, 2);
    pixelOps.blitSpriteClipped(6, 4, sprite.data());
    EXPECT_EQ(touchedSet(memory), (PixelSet{{6, 4}, {7, 4}, {6, 5}}));
    openMemoryDisplay(&memory, 8, 6, 1, 2);
    pixelOps.blitSpriteClipped(-3, 0, sprite.data());
    pixelOps.blitSpriteClipped(0, -3, sprite.data());
    pixelOps.blitSpriteClipped(8, 0, sprite.data());
    pixelOps.blitSpriteClipped(0, 6, sprite.data());
    pixelOps.blitSpriteClipped(INT32_MIN, INT32_MAX, sprite.data());
    EXPECT_TRUE(touchedSet(memory).empty());
}

TEST_F(EightBitSpriteTest, FrontSpriteWrapsInTheFrontBuffer) {
    openMemoryDisplay(&memory, 8, 6, 1);
    const auto sprite = makeSprite(2, 2, 1);
    blitSpriteFront(0, -1, sprite.data());
    EXPECT_TRUE(touchedSet(memory).empty()) << "the back buffer stays";
    EXPECT_EQ(pixelAt(memory, memory.front, 0, 5)[0], spriteColour(0, 0));
    EXPECT_EQ(pixelAt(memory, memory.front, 1, 1)[0], spriteColour(1, 1));
    EXPECT_EQ(pixelAt(memory, memory.front, 0, 0)[0], 0);
}

// The front buffer is not moved by a clip window: the sprite lands at the window-relative
// position counted from the screen's corner, wrapping within the window's size.
TEST_F(EightBitSpriteTest, FrontSpriteIgnoresTheWindowOrigin) {
    openMemoryDisplay(&memory, 16, 8, 1);
    setClipWindow(4, 2, 12, 6);
    const auto sprite = makeSprite(2, 1, 1);
    blitSpriteFront(1, 1, sprite.data());
    blitSpriteFront(0, 4, sprite.data());
    clearClipWindow();
    EXPECT_EQ(pixelAt(memory, memory.front, 1, 1)[0], spriteColour(0, 0));
    EXPECT_EQ(pixelAt(memory, memory.front, 2, 1)[0], spriteColour(1, 0));
    int written = 0;
    for (uint8_t b : memory.front) {
        written += b != 0;
    }
    EXPECT_EQ(written, 2) << "row 4 is outside the window's height";
}

// --- alpha -----------------------------------------------------------------------------------

class AlphaSpriteTest : public SystemTestWithParam<PixelMode> {
  protected:
    MemoryDisplay memory;
};

INSTANTIATE_TEST_SUITE_P(TrueColour, AlphaSpriteTest, ::testing::Values(3, 4), namePixelMode);

// The weights sum to 255 and the shift divides by 256.
TEST_P(AlphaSpriteTest, BlendWeightsSumTo255AndShiftBy8) {
    openMemoryDisplay(&memory, 8, 4, GetParam(), 0, 100);
    const uint8_t sprite[] = {4, 1,
                              // b, g, r, a
                              200, 150, 0, 0, 200, 150, 0, 255, 200, 150, 0, 128, 0, 0, 0, 255};
    blitSpriteAlpha(2, 1, sprite);
    EXPECT_EQ(colourAt(memory, 2, 1), 0x636363u) << "alpha 0 still takes one off";
    EXPECT_EQ(colourAt(memory, 3, 1), 0x0095C7u) << "alpha 255 stores s - 1, and 0 for 0";
    // (127 * 100 + 128 * s) >> 8 for s = 200, 150, 0.
    EXPECT_EQ(colourAt(memory, 4, 1), static_cast<uint32_t>(49 << 16 | 124 << 8 | 149));
    EXPECT_EQ(colourAt(memory, 5, 1), 0u);
    EXPECT_EQ(colourAt(memory, 6, 1), 0x646464u) << "beyond the sprite";
    if (GetParam() == 4) {
        EXPECT_EQ(pixelAt(memory, memory.back, 2, 1)[3], 100) << "fourth byte";
    }
}

TEST_P(AlphaSpriteTest, AlphaSpriteWrapsLikeTheKeyedOne) {
    openMemoryDisplay(&memory, 8, 6, GetParam());
    const uint8_t sprite[] = {1, 2, 0, 0, 255, 255, 0, 255, 0, 255};
    blitSpriteAlpha(0, -1, sprite);
    EXPECT_EQ(touchedSet(memory), (PixelSet{{0, 5}, {0, 1}}));
    EXPECT_EQ(colourAt(memory, 0, 5), 0xFE0000u);
    EXPECT_EQ(colourAt(memory, 0, 1), 0x00FE00u);
}

TEST(AlphaSpriteEightBitTest, DrawsNothingInEightBitMode) {
    resetSystemGlobals();
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 8, 4, 1, 0, 100);
    const uint8_t sprite[] = {1, 1, 0, 0, 0, 255};
    blitSpriteAlpha(1, 1, sprite);
    EXPECT_TRUE(touchedSet(memory, 100).empty());
}

} // namespace
