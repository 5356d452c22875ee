#include "display/frontBuffer.h"
#include "raster/pixelOps.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

using ::testing::ExitedWithCode;

namespace {

const int32_t width = 40;
const int32_t height = 30;

class FrontBufferTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        headlessSetExtraPitch(12);
        openTestDisplay(width, height);
    }
};

TEST_F(FrontBufferTest, LockGivesTheVisibleSurface) {
    lockFrontBuffer();
    ASSERT_NE(display.frontBuffer, nullptr);
    EXPECT_GE(display.frontPitch, width * 3);
    EXPECT_EQ(display.frontBuffer, display.primaryDesc.lpSurface);
    EXPECT_EQ(display.savedPixelMode, 3);
    pixelOps.plotFront(0, 0, 0x0000FF);
    unlockFrontBuffer();
    const HeadlessFrame* frame = headlessLastFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->pixels[0], 0xFF);
}

TEST_F(FrontBufferTest, ClearFillsOnlyTheVisiblePartOfEachRow) {
    lockFrontBuffer();
    ASSERT_GT(display.frontPitch, width * 3);
    std::memset(display.frontBuffer, 0xAB, (size_t)display.frontPitch * height);
    clearFrontBuffer(0x40);
    for (int32_t y = 0; y < height; y++) {
        const uint8_t* row = display.frontBuffer + y * display.frontPitch;
        for (int32_t x = 0; x < display.frontPitch; x++) {
            ASSERT_EQ(row[x], x < width * 3 ? 0x40 : 0xAB) << "byte " << x << " of row " << y;
        }
    }
    unlockFrontBuffer();
}

TEST_F(FrontBufferTest, UnlockPutsBackAModeChangedWhileLocked) {
    lockFrontBuffer();
    display.pixelMode = 4;
    selectPixelOps();
    unlockFrontBuffer();
    EXPECT_EQ(display.pixelMode, 3);
    pixelOps.plot(1, 0, 0x112233);
    EXPECT_EQ(display.backBuffer[3], 0x33) << "the 24-bit plotters are back";
    EXPECT_EQ(display.backBuffer[5], 0x11);
}

void sentinelPlot(uint32_t, uint32_t, Colour) {}

TEST_F(FrontBufferTest, UnlockWithTheModeUnchangedSelectsNothing) {
    lockFrontBuffer();
    PlotOperation before = pixelOps.plot;
    pixelOps.plot = sentinelPlot;
    unlockFrontBuffer();
    EXPECT_EQ(pixelOps.plot, &sentinelPlot);
    pixelOps.plot = before;
}

TEST_F(FrontBufferTest, FailedLockEndsAtSite1234) {
    headlessFailCall("Lock", 1, DDERR_SURFACEBUSY);
    EXPECT_EXIT(lockFrontBuffer(), ExitedWithCode(1),
                "^Oh sod it: DirectDraw error 887601AE @ 1234\n$");
}

} // namespace
