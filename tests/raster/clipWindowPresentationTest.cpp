// Presentation, fills, re-locks and the minimise suspension with a clip window set: each
// works on the whole screen and leaves the window as it was.
#include "raster/areaTestSupport.h"

#include "display/backBufferDC.h"
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "support/headlessFixture.h"
#include "window/fatalError.h"
#include "window/messagePump.h"

#include <gtest/gtest.h>

namespace {

const int32_t width = 40;
const int32_t height = 30;
const int extraPitch = 8;
const int32_t windowX1 = 5;
const int32_t windowY1 = 6;
const int32_t windowX2 = 25;
const int32_t windowY2 = 16;

class ClipWindowPresentationTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        headlessSetExtraPitch(extraPitch);
    }

    void setWindow() {
        mouseX = 12;
        mouseY = 9;
        setClipWindow(windowX1, windowY1, windowX2, windowY2);
    }

    // The window is set again where it was, on the buffers as they are now locked.
    ::testing::AssertionResult windowKept(uint8_t* surfaceStart) {
        if (!clipWindowSet || clipOriginX != windowX1 || clipOriginY != windowY1 ||
            display.screenWidth != windowX2 - windowX1 ||
            display.screenHeight != windowY2 - windowY1 || savedWidth != width ||
            savedHeight != height) {
            return ::testing::AssertionFailure() << "window lost or moved";
        }
        if (display.backBuffer !=
            surfaceStart + windowY1 * display.backPitch + windowX1 * display.pixelMode) {
            return ::testing::AssertionFailure() << "back buffer not at the window's corner";
        }
        if (mouseX != 12 - windowX1 || mouseY != 9 - windowY1) {
            return ::testing::AssertionFailure() << "mouse at " << mouseX << ", " << mouseY;
        }
        return ::testing::AssertionSuccess();
    }
};

uint8_t* backSurfaceStart() {
    DDSURFACEDESC desc = display.backDesc;
    return static_cast<uint8_t*>(desc.lpSurface);
}

void drawGradient(uint8_t* buffer, int32_t pitch) {
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width * display.pixelMode; x++) {
            buffer[y * pitch + x] = static_cast<uint8_t>(1 + x + 3 * y);
        }
    }
}

::testing::AssertionResult everyByteIs(const uint8_t* buffer, int32_t pitch, uint8_t value) {
    for (size_t i = 0; i < static_cast<size_t>(pitch) * height; i++) {
        if (buffer[i] != value) {
            return ::testing::AssertionFailure()
                   << "byte " << i % pitch << " of row " << i / pitch << " is " << (int)buffer[i];
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult screenShowsGradient() {
    const HeadlessFrame* frame = headlessLastFrame();
    if (frame == nullptr || frame->width != width || frame->height != height) {
        return ::testing::AssertionFailure() << "no whole frame was presented";
    }
    const int32_t row = frame->width * frame->bytesPerPixel;
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < row; x++) {
            if (frame->pixels[y * row + x] != static_cast<uint8_t>(1 + x + 3 * y)) {
                return ::testing::AssertionFailure() << "screen byte " << x << " of row " << y;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(ClipWindowPresentationTest, PresentAndClearCoversTheWholeScreenAndKeepsTheWindow) {
    openTestDisplay(width, height);
    drawGradient(display.backBuffer, display.backPitch);
    setWindow();
    presentAndClear(0);
    EXPECT_TRUE(screenShowsGradient());
    EXPECT_TRUE(everyByteIs(backSurfaceStart(), display.backPitch, 0));
    EXPECT_TRUE(windowKept(backSurfaceStart()));
    // Drawing goes on in window coordinates.
    pixelOps.plot(0, 0, 0xFFFFFF);
    EXPECT_EQ(backSurfaceStart()[windowY1 * display.backPitch + windowX1 * display.pixelMode],
              0xFF);
    clearClipWindow();
    EXPECT_EQ(display.backBuffer, backSurfaceStart());
    EXPECT_EQ(display.screenWidth, width);
    EXPECT_EQ(mouseX, 12);
}

TEST_F(ClipWindowPresentationTest, ClearsFillTheWholeBuffers) {
    openTestDisplay(width, height);
    setWindow();
    clearAndPresent(0x40);
    EXPECT_TRUE(everyByteIs(backSurfaceStart(), display.backPitch, 0x40));
    EXPECT_TRUE(windowKept(backSurfaceStart()));
    clearClipWindow();
    releaseDisplayObjects();
    openDisplayTrueColour();
    createBackAndLayer();
    setWindow();
    clearAllAndPresent(0x21);
    EXPECT_TRUE(everyByteIs(backSurfaceStart(), display.backPitch, 0x21));
    uint8_t* layerStart = static_cast<uint8_t*>(display.layerDesc.lpSurface);
    EXPECT_TRUE(everyByteIs(layerStart, display.layerPitch, 0x21));
    clearLayerBuffer(0x09);
    EXPECT_TRUE(everyByteIs(layerStart, display.layerPitch, 0x09));
    EXPECT_TRUE(windowKept(backSurfaceStart()));
    EXPECT_EQ(display.layerBuffer,
              layerStart + windowY1 * display.layerPitch + windowX1 * display.pixelMode);
}

TEST_F(ClipWindowPresentationTest, LayerPresentationKeepsTheWindow) {
    openTestDisplay(width, height);
    releaseDisplayObjects();
    openDisplayTrueColour();
    createBackAndLayer();
    drawGradient(display.backBuffer, display.backPitch);
    std::memset(display.layerBuffer, 0x33, static_cast<size_t>(display.layerPitch) * height);
    setWindow();
    presentWithLayer();
    EXPECT_TRUE(screenShowsGradient());
    EXPECT_EQ(backSurfaceStart()[0], 0x33);
    EXPECT_TRUE(windowKept(backSurfaceStart()));
    drawGradient(backSurfaceStart(), display.backPitch);
    restoreFromLayer();
    EXPECT_EQ(backSurfaceStart()[0], 0x33);
    EXPECT_TRUE(windowKept(backSurfaceStart()));
}

TEST_F(ClipWindowPresentationTest, DeviceContextRoundTripKeepsTheWindow) {
    openTestDisplay(width, height);
    setWindow();
    HDC dc = nullptr;
    EXPECT_EQ(getBackBufferDC(&dc), DD_OK);
    releaseBackBufferDC(&dc);
    EXPECT_TRUE(windowKept(backSurfaceStart()));
}

// The suspension keeps the whole buffer, not pitch x screenHeight bytes from the window's
// corner, and the window is back after the restore on the new surface.
TEST_F(ClipWindowPresentationTest, MinimiseAndRestoreKeepTheWindowAndTheWholePicture) {
    openTestDisplay(width, height);
    drawGradient(display.backBuffer, display.backPitch);
    setWindow();
    headlessQueueMinimise();
    headlessQueuePause(100);
    headlessQueueRestore();
    EXPECT_EQ(pumpMessages(), 0);
    ASSERT_NE(display.backSurface, nullptr);
    EXPECT_TRUE(windowKept(backSurfaceStart()));
    clearClipWindow();
    presentFrame();
    EXPECT_TRUE(screenShowsGradient());
}

TEST_F(ClipWindowPresentationTest, EightBitMinimiseWithAnEmptyWindowKeepsIt) {
    openTestDisplay8Bit(width, height);
    drawGradient(display.backBuffer, display.backPitch);
    mouseX = 3;
    setClipWindow(10, 10, 10, 20);
    headlessQueueMinimise();
    headlessQueuePause(100);
    headlessQueueRestore();
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_TRUE(clipWindowSet);
    EXPECT_EQ(display.screenWidth, 0);
    EXPECT_EQ(display.screenHeight, 0);
    EXPECT_EQ(display.backBuffer, backSurfaceStart());
    EXPECT_EQ(mouseX, 3);
    clearClipWindow();
    presentFrame();
    EXPECT_TRUE(screenShowsGradient());
}

TEST_F(ClipWindowPresentationTest, QuitWhileMinimisedLeavesNoWindow) {
    openTestDisplay(width, height);
    setWindow();
    headlessQueueMinimise();
    headlessQueuePause(100);
    headlessQueueQuit();
    EXPECT_EQ(pumpMessages(), 1);
    EXPECT_FALSE(clipWindowSet);
    EXPECT_EQ(display.screenWidth, width);
    EXPECT_EQ(mouseX, 12);
}

} // namespace
