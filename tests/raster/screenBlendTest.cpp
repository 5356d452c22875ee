#include "support/memoryDisplay.h"
#include "support/systemReset.h"
#include "support/testNames.h"

#include "raster/pixelOps.h"

#include <gtest/gtest.h>

namespace {

class ScreenBlendTest : public SystemTestWithParam<PixelMode> {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        openMemoryDisplay(&memory, 8, 4, GetParam(), 0, 0);
    }
    MemoryDisplay memory;
};

TEST_P(ScreenBlendTest, OntoBlack) {
    plotScreen(0, 0, 0xFFFFFF);
    plotScreen(1, 0, 0);
    plotScreen(2, 0, 0x000100);
    plotScreen(3, 0, 0x808080);
    EXPECT_EQ(colourAt(memory, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(colourAt(memory, 1, 0), 0u);
    EXPECT_EQ(colourAt(memory, 2, 0), 0x010201u);
    EXPECT_EQ(colourAt(memory, 3, 0), 0x818181u);
}

TEST_P(ScreenBlendTest, DividesBy256) {
    pixelOps.plot(0, 1, 0x808080);
    plotScreen(0, 1, 0x808080);
    EXPECT_EQ(colourAt(memory, 0, 1), 0xC0C0C0u);
    plotScreen(0, 1, 0xFFFFFF);
    EXPECT_EQ(colourAt(memory, 0, 1), 0xFFFFFFu);
}

TEST_P(ScreenBlendTest, OutsideTheAreaNothingHappens) {
    plotScreen(8, 0, 0xFFFFFF);
    plotScreen(0, 4, 0xFFFFFF);
    plotScreen(static_cast<uint32_t>(-1), 0, 0xFFFFFF);
    EXPECT_TRUE(touchedPixels(memory).empty());
}

INSTANTIATE_TEST_SUITE_P(TrueColour, ScreenBlendTest, ::testing::Values(3, 4), namePixelMode);

TEST(ScreenBlend, FourthByteIsNotTouched) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 2, 2, 4, 0, 0x5A);
    plotScreen(1, 1, 0x102030);
    EXPECT_EQ(pixelAt(memory, memory.back, 1, 1)[3], 0x5A);
}

TEST(ScreenBlend, BindsOnTheFirstCallAfterEachSelection) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 2, 2, 4);
    EXPECT_EQ(plotScreen, bindPlotScreen);
    plotScreen(0, 0, 0x010101);
    EXPECT_EQ(plotScreen, blendScreen32);
    display.pixelMode = 3;
    selectPixelOps();
    EXPECT_EQ(plotScreen, bindPlotScreen);
    plotScreen(0, 0, 0x010101);
    EXPECT_EQ(plotScreen, blendScreen24);
}

TEST(ScreenBlend, DoesNothingInEightBitMode) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 2, 2, 1);
    plotScreen(0, 0, 0xFFFFFF);
    EXPECT_EQ(plotScreen, bindPlotScreen);
    EXPECT_TRUE(touchedPixels(memory).empty());
}

} // namespace
