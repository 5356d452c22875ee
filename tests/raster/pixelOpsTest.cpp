#include "support/memoryDisplay.h"
#include "support/systemReset.h"
#include "support/testNames.h"

#include "raster/pixelOps.h"

#include <gtest/gtest.h>

namespace {

class PixelOpsTest : public SystemTestWithParam<PixelMode> {
  protected:
    MemoryDisplay memory;
};

TEST_P(PixelOpsTest, PlotsOnlyInsideTheArea) {
    openMemoryDisplay(&memory, 16, 8, GetParam(), 5);
    pixelOps.plot(static_cast<uint32_t>(-1), 5, 0x0F);
    pixelOps.plot(16, 5, 0x0F);
    pixelOps.plot(3, 8, 0x0F);
    EXPECT_TRUE(touchedPixels(memory).empty());
    pixelOps.plot(15, 7, 0x0F);
    EXPECT_EQ(touchedPixels(memory), (std::vector<std::pair<int32_t, int32_t>>{{15, 7}}));
    EXPECT_EQ(pixelOps.peek(15, 7), 0x0Fu);
}

TEST_P(PixelOpsTest, PeekOutsideIsZero) {
    openMemoryDisplay(&memory, 4, 4, GetParam(), 0, 0x77);
    EXPECT_EQ(pixelOps.peek(4, 0), 0u);
    EXPECT_EQ(pixelOps.peek(0, static_cast<uint32_t>(-1)), 0u);
    EXPECT_NE(pixelOps.peek(3, 3), 0u);
}

TEST_P(PixelOpsTest, WidePitchesAddressEachRow) {
    openMemoryDisplay(&memory, 5, 3, GetParam(), 11);
    for (uint32_t y = 0; y < 3; ++y) {
        pixelOps.plot(4, y, 0x10 + y);
    }
    for (int32_t y = 0; y < 3; ++y) {
        EXPECT_EQ(pixelAt(memory, memory.back, 4, y)[0], 0x10 + y);
        // Nothing lands in the padding past the row.
        for (int32_t b = 5 * GetParam(); b < memory.pitch; ++b) {
            EXPECT_EQ(memory.back[y * memory.pitch + b], 0);
        }
    }
}

TEST_P(PixelOpsTest, LayerAndFrontSlotsUseTheirOwnBuffers) {
    openMemoryDisplay(&memory, 4, 4, GetParam());
    pixelOps.plotLayer(1, 1, 0x21);
    pixelOps.plotFront(2, 2, 0x22);
    EXPECT_TRUE(touchedPixels(memory).empty());
    EXPECT_EQ(pixelAt(memory, memory.layer, 1, 1)[0], 0x21);
    EXPECT_EQ(pixelAt(memory, memory.front, 2, 2)[0], 0x22);
    EXPECT_EQ(pixelOps.peekLayer(1, 1), 0x21u);
}

TEST_P(PixelOpsTest, FillRectIsCutToTheArea) {
    openMemoryDisplay(&memory, 20, 10, GetParam(), 3);
    pixelOps.fillRect(-5, -5, 10, 10, 0x33);
    const auto touched = touchedPixels(memory);
    ASSERT_EQ(touched.size(), 25u);
    EXPECT_EQ(touched.front(), std::make_pair(0, 0));
    EXPECT_EQ(touched.back(), std::make_pair(4, 4));
}

TEST_P(PixelOpsTest, FillRectEdges) {
    openMemoryDisplay(&memory, 20, 10, GetParam(), 3);
    pixelOps.fillRect(2, 2, 0, 5, 0x33);
    pixelOps.fillRect(2, 2, 5, -1, 0x33);
    pixelOps.fillRect(20, 0, 5, 5, 0x33);
    pixelOps.fillRect(0, 10, 5, 5, 0x33);
    pixelOps.fillRect(0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0, 0x33);
    pixelOps.fillRect(-0x7FFFFFF0, -0x7FFFFFF0, -0x7FFFFFF0, -0x7FFFFFF0, 0x33);
    EXPECT_TRUE(touchedPixels(memory).empty());
    pixelOps.fillRect(18, 0, 100, 1, 0x33);
    EXPECT_EQ(touchedPixels(memory), (std::vector<std::pair<int32_t, int32_t>>{{18, 0}, {19, 0}}));
    // The padding after the row end stays untouched.
    for (int32_t b = 20 * GetParam(); b < memory.pitch; ++b) {
        EXPECT_EQ(memory.back[b], 0);
    }
}

TEST_P(PixelOpsTest, FillRectLayerLeavesTheBackBufferAlone) {
    openMemoryDisplay(&memory, 8, 8, GetParam());
    pixelOps.fillRectLayer(1, 1, 2, 2, 0x44);
    EXPECT_TRUE(touchedPixels(memory).empty());
    EXPECT_EQ(pixelOps.peekLayer(2, 2), 0x44u);
    EXPECT_EQ(pixelOps.peekLayer(3, 3), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryMode, PixelOpsTest, ::testing::Values(1, 3, 4), namePixelMode);

TEST(TrueColourPixels, BytesAreBlueGreenRedAndTheFourthIsKept) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 4, 4, 4, 0, 0xAA);
    pixelOps.plot(1, 1, 0x112233);
    const uint8_t* p = pixelAt(memory, memory.back, 1, 1);
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(p[3], 0xAA);
    EXPECT_EQ(pixelOps.peek(1, 1), 0x112233u);
    pixelOps.fillRect(0, 0, 4, 4, 0x445566);
    EXPECT_EQ(p[3], 0xAA);
}

TEST(EightBitPixels, OnlyTheLowByteIsStored) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 4, 4, 1);
    pixelOps.plot(0, 0, 0x123456);
    EXPECT_EQ(pixelOps.peek(0, 0), 0x56u);
    pixelOps.fillRect(1, 1, 2, 1, 0xABCD);
    EXPECT_EQ(pixelOps.peek(2, 1), 0xCDu);
}

TEST(SelectPixelOps, UnknownModeKeepsTheSlots) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 4, 4, 3);
    const PixelOps before = pixelOps;
    display.pixelMode = 2;
    selectPixelOps();
    EXPECT_EQ(pixelOps.plot, before.plot);
    EXPECT_EQ(pixelOps.fillRect, before.fillRect);
    EXPECT_EQ(pixelOps.blitSpriteClipped, before.blitSpriteClipped);
}

TEST(SelectPixelOps, RebindsAfterAModeChange) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 4, 4, 3);
    const PlotOperation plot24 = pixelOps.plot;
    display.pixelMode = 4;
    selectPixelOps();
    EXPECT_NE(pixelOps.plot, plot24);
    display.pixelMode = 1;
    selectPixelOps();
    EXPECT_NE(pixelOps.peek, nullptr);
    display.pixelMode = 3;
    selectPixelOps();
    EXPECT_EQ(pixelOps.plot, plot24);
}

TEST(PlotAdd, SaturatesPerChannelInFourBytePixels) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 4, 4, 4, 0, 0xF0);
    plotAdd(1, 2, 0x000020);
    const uint8_t* p = pixelAt(memory, memory.back, 1, 2);
    EXPECT_EQ(p[0], 0xFF);
    EXPECT_EQ(p[1], 0xF0);
    EXPECT_EQ(p[2], 0xF0);
    EXPECT_EQ(p[3], 0xF0);
    plotAdd(4, 0, 0xFFFFFF);
    plotAdd(0, static_cast<uint32_t>(-1), 0xFFFFFF);
    EXPECT_EQ(touchedPixels(memory, 0xF0).size(), 1u);
}

// Four-byte pixels in a buffer of narrower ones: in 8- and 24-bit modes the far pixels of the
// area lie past the buffer's end, and nothing may be read or written there.
TEST(PlotAdd, NeverLeavesTheBufferInAnyMode) {
    for (PixelMode mode : {1, 3, 4}) {
        MemoryDisplay memory;
        openMemoryDisplay(&memory, 4, 4, mode, 0, 0x10);
        const size_t size = memory.back.size();
        memory.back.resize(size + 16, 0x77);
        display.backBuffer = memory.back.data();
        for (uint32_t y = 0; y < 4; ++y) {
            for (uint32_t x = 0; x < 4; ++x) {
                plotAdd(x, y, 0x010203);
            }
        }
        for (size_t i = size; i < memory.back.size(); ++i) {
            ASSERT_EQ(memory.back[i], 0x77) << "mode " << mode << ", byte " << i;
        }
        if (mode == 4) {
            EXPECT_EQ(colourAt(memory, 3, 3), 0x111213u);
        }
    }
}

TEST(PeekFront, ReadsTheFrontByte) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 4, 4, 1, 4);
    pixelOps.plotFront(3, 2, 0x99);
    EXPECT_EQ(peekFront(3, 2), 0x99u);
}

} // namespace
