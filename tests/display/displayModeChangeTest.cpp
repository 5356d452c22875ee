#include "display/displayModeChange.h"
#include "colour/gammaPalettes.h"
#include "colour/paletteUpload.h"
#include "display/displaySetup.h"
#include "display/frontBuffer.h"
#include "display/presentation.h"
#include "raster/clipWindow.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "window/fatalError.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using ::testing::ExitedWithCode;

namespace {

class DisplayModeChangeTest : public SystemTest {
  protected:
};

// The cube palette at gamma 1.0, as setCubePalette leaves the program's copy.
std::vector<PaletteEntry> cubePalette() {
    PaletteEntry kept[256];
    std::memcpy(kept, display.palette, sizeof kept);
    LPDIRECTDRAWPALETTE object = display.paletteObject;
    display.paletteObject = nullptr; // fill only
    setCubePalette(1.0f);
    display.paletteObject = object;
    std::vector<PaletteEntry> cube(display.palette, display.palette + 256);
    std::memcpy(display.palette, kept, sizeof kept);
    return cube;
}

bool screenPaletteIs(const PaletteEntry* expected) {
    return std::memcmp(headlessScreenPalette(), expected, 256 * sizeof(PaletteEntry)) == 0;
}

// The back buffer is a fresh locked surface of the record's size and mode.
::testing::AssertionResult backBufferFits() {
    if (display.backSurface == nullptr || display.backBuffer == nullptr) {
        return ::testing::AssertionFailure() << "no back buffer";
    }
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    if (display.backSurface->GetSurfaceDesc(&desc) != DD_OK) {
        return ::testing::AssertionFailure() << "no description";
    }
    if ((int32_t)desc.dwWidth != display.screenWidth ||
        (int32_t)desc.dwHeight != display.screenHeight ||
        (int32_t)desc.ddpfPixelFormat.dwRGBBitCount != display.pixelMode * 8) {
        return ::testing::AssertionFailure()
               << desc.dwWidth << "x" << desc.dwHeight << "x" << desc.ddpfPixelFormat.dwRGBBitCount
               << " for a record of " << display.screenWidth << "x" << display.screenHeight
               << " mode " << display.pixelMode;
    }
    // Locked: a second lock is refused as busy.
    if (display.backSurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DDERR_SURFACEBUSY) {
        return ::testing::AssertionFailure() << "not locked";
    }
    if (display.backPitch < display.screenWidth * display.pixelMode) {
        return ::testing::AssertionFailure() << "pitch " << display.backPitch;
    }
    return ::testing::AssertionSuccess();
}

// Plots through the slots and reads the bytes back at the width pixelMode says.
::testing::AssertionResult pixelOpsMatchTheMode() {
    pixelOps.plot(1, 1, 0x112233);
    const uint8_t* pixel = display.backBuffer + display.backPitch + display.pixelMode;
    bool stored = display.pixelMode == 1 ? pixel[0] == 0x33 && pixel[1] == 0
                                         : pixel[0] == 0x33 && pixel[1] == 0x22 &&
                                               pixel[2] == 0x11 && pixel[display.pixelMode] == 0;
    uint32_t expected = display.pixelMode == 1 ? 0x33u : 0x112233u;
    if (!stored || pixelOps.peek(1, 1) != expected) {
        return ::testing::AssertionFailure()
               << "plot and peek disagree with mode " << display.pixelMode;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(DisplayModeChangeTest, SameSizeDoesNothingWhateverTheMode) {
    openTestDisplay(64, 48);
    LPDIRECTDRAWSURFACE back = display.backSurface;
    LPDIRECTDRAWSURFACE primary = display.primarySurface;
    display.backBuffer[0] = 0x77;
    for (PixelMode mode : {1, 3, 4}) {
        EXPECT_EQ(changeDisplayMode(64, 48, mode), 0);
    }
    EXPECT_EQ(headlessCallCount("SetDisplayMode"), 1);
    EXPECT_EQ(display.backSurface, back);
    EXPECT_EQ(display.primarySurface, primary);
    EXPECT_EQ(display.pixelMode, 3);
    EXPECT_EQ(display.backBuffer[0], 0x77);
    EXPECT_EQ(display.paletteObject, nullptr);
}

TEST_F(DisplayModeChangeTest, NoDisplayNothingDone) {
    createTestWindow(64, 48);
    EXPECT_EQ(changeDisplayMode(32, 24, 3), 0);
    EXPECT_EQ(display.primarySurface, nullptr);
}

TEST_F(DisplayModeChangeTest, RequestedModeIsSet) {
    openTestDisplay(64, 48);
    display.backBuffer[0] = 0x77;
    EXPECT_EQ(changeDisplayMode(32, 24, 4), 1);
    EXPECT_EQ(display.screenWidth, 32);
    EXPECT_EQ(display.screenHeight, 24);
    EXPECT_EQ(display.pixelMode, 4);
    EXPECT_EQ(headlessDisplayMode().width, 32);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 32);
    EXPECT_TRUE(backBufferFits());
    EXPECT_EQ(display.backBuffer[0], 0); // the old picture is gone
    EXPECT_TRUE(pixelOpsMatchTheMode());
}

TEST_F(DisplayModeChangeTest, RefusedTwentyFourFallsToThirtyTwo) {
    openTestDisplay(64, 48);
    headlessRefuseDepth(24);
    EXPECT_EQ(changeDisplayMode(32, 24, 3), 2);
    EXPECT_EQ(display.pixelMode, 4);
    EXPECT_EQ(display.screenWidth, 32);
    EXPECT_EQ(display.screenHeight, 24);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 32);
    EXPECT_TRUE(backBufferFits());
    EXPECT_TRUE(pixelOpsMatchTheMode());
    EXPECT_EQ(headlessMessageBoxCount(), 0);
}

TEST_F(DisplayModeChangeTest, RefusedThirtyTwoFallsToTwentyFour) {
    openTestDisplay(64, 48);
    headlessRefuseMode(32, 24, 32);
    EXPECT_EQ(changeDisplayMode(32, 24, 4), 3);
    EXPECT_EQ(display.pixelMode, 3);
    EXPECT_EQ(display.screenWidth, 32);
    EXPECT_EQ(display.screenHeight, 24);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 24);
    EXPECT_TRUE(backBufferFits());
    EXPECT_TRUE(pixelOpsMatchTheMode());
}

TEST_F(DisplayModeChangeTest, RefusedEightBitsTriesNoOtherDepth) {
    openTestDisplay(64, 48);
    headlessRefuseDepth(8);
    int before = headlessCallCount("SetDisplayMode");
    EXPECT_EQ(changeDisplayMode(32, 24, 1), 4);
    // The 8-bit attempt and the previous mode again, nothing between.
    EXPECT_EQ(headlessCallCount("SetDisplayMode"), before + 2);
    EXPECT_EQ(display.pixelMode, 3);
    EXPECT_EQ(display.screenWidth, 64);
    EXPECT_EQ(display.screenHeight, 48);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 24);
    EXPECT_EQ(display.paletteObject, nullptr);
    EXPECT_TRUE(backBufferFits());
    EXPECT_TRUE(pixelOpsMatchTheMode());
}

TEST_F(DisplayModeChangeTest, BothTrueColourDepthsRefusedGoesBack) {
    openTestDisplay(64, 48);
    headlessRefuseMode(32, 24, 24);
    headlessRefuseMode(32, 24, 32);
    EXPECT_EQ(changeDisplayMode(32, 24, 3), 4);
    EXPECT_EQ(display.pixelMode, 3);
    EXPECT_EQ(display.screenWidth, 64);
    EXPECT_EQ(headlessDisplayMode().width, 64);
    EXPECT_TRUE(backBufferFits());
}

TEST_F(DisplayModeChangeTest, NoModeAtAllLeavesTheRecordWithFreshSurfaces) {
    openTestDisplay(64, 48);
    display.backBuffer[0] = 0x77;
    headlessRefuseDepth(24);
    headlessRefuseDepth(32);
    EXPECT_EQ(changeDisplayMode(32, 24, 4), 0);
    EXPECT_EQ(display.pixelMode, 3);
    EXPECT_EQ(display.screenWidth, 64);
    EXPECT_EQ(display.screenHeight, 48);
    EXPECT_NE(display.primarySurface, nullptr);
    EXPECT_TRUE(backBufferFits());
    EXPECT_EQ(display.backBuffer[0], 0);
    EXPECT_TRUE(pixelOpsMatchTheMode());
}

TEST_F(DisplayModeChangeTest, ModeThePixelOpsCannotServeIsRefused) {
    openTestDisplay(64, 48);
    EXPECT_EQ(changeDisplayMode(32, 24, 2), 4);
    EXPECT_EQ(changeDisplayMode(32, 24, 0), 4);
    EXPECT_EQ(changeDisplayMode(32, 24, 8), 4);
    EXPECT_EQ(display.pixelMode, 3);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 24);
    EXPECT_EQ(headlessDisplayMode().width, 64);
    EXPECT_TRUE(pixelOpsMatchTheMode());
}

TEST_F(DisplayModeChangeTest, BackBufferIsMadeEvenWhenThereWasNone) {
    createTestWindow(64, 48);
    openDisplayTrueColour();
    EXPECT_EQ(changeDisplayMode(32, 24, 4), 1);
    EXPECT_TRUE(backBufferFits());
    EXPECT_EQ(display.layerSurface, nullptr);
}

TEST_F(DisplayModeChangeTest, LayerIsMadeAgainOnlyWhenThereWasOne) {
    createTestWindow(64, 48);
    openDisplayTrueColour();
    createBackAndLayer();
    EXPECT_EQ(changeDisplayMode(32, 24, 4), 1);
    ASSERT_NE(display.layerSurface, nullptr);
    EXPECT_GE(display.layerPitch, 32 * 4);
    pixelOps.plotLayer(31, 23, 0xABCDEF);
    EXPECT_EQ(pixelOps.peekLayer(31, 23), 0xABCDEFu);
    EXPECT_EQ(changeDisplayMode(64, 48, 1), 1);
    ASSERT_NE(display.layerSurface, nullptr);
    LPDIRECTDRAWPALETTE attached = nullptr;
    ASSERT_EQ(display.layerSurface->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, display.paletteObject);
    attached->Release();
}

TEST_F(DisplayModeChangeTest, EightToEightKeepsTheScreenPalette) {
    openTestDisplay8Bit(64, 48);
    setHuePalette(1.0f);
    setPaletteEntry(9, 1, 2, 3);
    std::vector<PaletteEntry> before(display.palette, display.palette + 256);
    ASSERT_TRUE(screenPaletteIs(before.data()));
    EXPECT_EQ(changeDisplayMode(32, 24, 1), 1);
    EXPECT_EQ(display.pixelMode, 1);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 8);
    EXPECT_EQ(std::memcmp(display.palette, before.data(), sizeof display.palette), 0);
    EXPECT_TRUE(screenPaletteIs(before.data()));
    EXPECT_EQ(headlessCallCount("CreatePalette"), 1);
    LPDIRECTDRAWPALETTE attached = nullptr;
    ASSERT_EQ(display.primarySurface->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, display.paletteObject);
    attached->Release();
    EXPECT_TRUE(backBufferFits());
    EXPECT_TRUE(pixelOpsMatchTheMode());
}

TEST_F(DisplayModeChangeTest, TrueColourIntoEightBitsInstallsTheCubePalette) {
    openTestDisplay(64, 48);
    std::vector<PaletteEntry> cube = cubePalette();
    EXPECT_EQ(changeDisplayMode(32, 24, 1), 1);
    EXPECT_EQ(display.pixelMode, 1);
    ASSERT_NE(display.paletteObject, nullptr);
    EXPECT_EQ(std::memcmp(display.palette, cube.data(), sizeof display.palette), 0);
    EXPECT_TRUE(screenPaletteIs(cube.data()));
    EXPECT_EQ(headlessScreenPalette()[8].peRed, 63);
    LPDIRECTDRAWPALETTE attached = nullptr;
    ASSERT_EQ(display.backSurface->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, display.paletteObject);
    attached->Release();
    EXPECT_TRUE(backBufferFits());
    EXPECT_TRUE(pixelOpsMatchTheMode());
    // Shown through that palette.
    pixelOps.fillRect(0, 0, 32, 24, 45);
    presentFrame();
    ASSERT_NE(headlessLastFrame(), nullptr);
    EXPECT_EQ(headlessLastFrame()->bytesPerPixel, 1);
    EXPECT_EQ(headlessLastFrame()->pixels[0], 45);
    EXPECT_EQ(headlessLastFrame()->palette[45].peRed, 255);
}

TEST_F(DisplayModeChangeTest, EightBitsThroughTrueColourAndBackGetsTheCubePalette) {
    openTestDisplay8Bit(64, 48);
    setHuePalette(1.0f);
    EXPECT_EQ(changeDisplayMode(32, 24, 3), 1);
    EXPECT_TRUE(pixelOpsMatchTheMode());
    EXPECT_EQ(changeDisplayMode(64, 48, 1), 1);
    std::vector<PaletteEntry> cube = cubePalette();
    EXPECT_TRUE(screenPaletteIs(cube.data()));
    EXPECT_EQ(std::memcmp(display.palette, cube.data(), sizeof display.palette), 0);
    EXPECT_EQ(headlessCallCount("CreatePalette"), 1);
    EXPECT_TRUE(pixelOpsMatchTheMode());
}

TEST_F(DisplayModeChangeTest, EveryChangeBetweenModesLeavesMatchingPixelOps) {
    const PixelMode modes[3] = {1, 3, 4};
    for (PixelMode from : modes) {
        for (PixelMode to : modes) {
            resetSystemGlobals();
            if (from == 1) {
                openTestDisplay8Bit(64, 48);
            } else {
                if (from == 4) {
                    headlessRefuseMode(64, 48, 24);
                }
                openTestDisplay(64, 48);
            }
            ASSERT_EQ(display.pixelMode, from);
            ASSERT_EQ(changeDisplayMode(40, 30, to), 1) << from << " to " << to;
            EXPECT_EQ(display.pixelMode, to);
            EXPECT_EQ(headlessDisplayMode().bitsPerPixel, to * 8);
            EXPECT_TRUE(backBufferFits()) << from << " to " << to;
            EXPECT_TRUE(pixelOpsMatchTheMode()) << from << " to " << to;
        }
    }
}

TEST_F(DisplayModeChangeTest, ChangesLeakNothing) {
    createTestWindow(64, 48);
    openDisplay8Bit();
    createBackAndLayer();
    int live = -1;
    const PixelMode modes[4] = {3, 1, 4, 1};
    for (int round = 0; round < 40; round++) {
        int32_t width = round % 2 ? 64 : 32;
        ASSERT_EQ(changeDisplayMode(width, width * 3 / 4, modes[round % 4]), 1);
        if (round == 3) {
            live = headlessLiveObjectCount();
        }
        if (round > 3 && round % 4 == 3) {
            ASSERT_EQ(headlessLiveObjectCount(), live) << "round " << round;
        }
    }
    releaseDisplayObjects();
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

TEST_F(DisplayModeChangeTest, LockedPrimaryFromBeforeTheChangeDoesNotComeBack) {
    openTestDisplay(64, 48);
    lockFrontBuffer();
    EXPECT_EQ(changeDisplayMode(32, 24, 4), 1);
    EXPECT_EQ(display.frontBuffer, nullptr);
    unlockFrontBuffer();
    EXPECT_EQ(display.pixelMode, 4);
    EXPECT_TRUE(pixelOpsMatchTheMode());
}

TEST_F(DisplayModeChangeTest, MinimiseAndRestoreAfterChangingIntoEightBits) {
    openTestDisplay(64, 48);
    ASSERT_EQ(changeDisplayMode(32, 24, 1), 1);
    setPaletteEntry(5, 9, 8, 7);
    std::vector<PaletteEntry> shown(headlessScreenPalette(), headlessScreenPalette() + 256);
    display.backBuffer[display.backPitch + 3] = 5;
    headlessQueueMinimise();
    headlessQueuePause(100);
    headlessQueueRestore();
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_EQ(display.pixelMode, 1);
    EXPECT_EQ(headlessDisplayMode().width, 32);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 8);
    EXPECT_TRUE(screenPaletteIs(shown.data()));
    EXPECT_EQ(display.backBuffer[display.backPitch + 3], 5);
    EXPECT_TRUE(backBufferFits());
}

TEST_F(DisplayModeChangeTest, ClipWindowDoesNotHideTheWholeScreensSize) {
    openTestDisplay(64, 48);
    setClipWindow(10, 10, 50, 40);
    ASSERT_EQ(display.screenWidth, 40);
    // 40 x 30 is the window's size, not the screen's: a real change.
    EXPECT_EQ(changeDisplayMode(40, 30, 3), 1);
    EXPECT_EQ(headlessDisplayMode().width, 40);
    EXPECT_EQ(headlessDisplayMode().height, 30);
    // The window comes back cut to the new screen.
    ASSERT_TRUE(clipWindowSet);
    EXPECT_EQ(display.screenWidth, 30);
    EXPECT_EQ(display.screenHeight, 20);
    pixelOps.plot(0, 0, 0x010203);
    clearClipWindow();
    EXPECT_EQ(display.screenWidth, 40);
    EXPECT_EQ(display.screenHeight, 30);
    EXPECT_TRUE(backBufferFits());
    EXPECT_EQ(pixelOps.peek(10, 10), 0x010203u);
}

TEST_F(DisplayModeChangeTest, SameSizeUnderAClipWindowKeepsTheWindow) {
    openTestDisplay(64, 48);
    setClipWindow(10, 10, 50, 40);
    uint8_t* windowBase = display.backBuffer;
    EXPECT_EQ(changeDisplayMode(64, 48, 4), 0);
    EXPECT_TRUE(clipWindowSet);
    EXPECT_EQ(display.screenWidth, 40);
    EXPECT_EQ(display.screenHeight, 30);
    EXPECT_EQ(display.backBuffer, windowBase);
    EXPECT_EQ(display.pixelMode, 3);
}

} // namespace
