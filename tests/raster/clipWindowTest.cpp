#include "raster/areaTestSupport.h"
#include "support/testNames.h"

#include "raster/areaPrimitives.h"
#include "raster/circles.h"
#include "raster/lines.h"
#include "raster/mousePointer.h"
#include "raster/sprites.h"

#include <gtest/gtest.h>

namespace {

class ClipWindowTest : public SystemTestWithParam<PixelMode> {
  protected:
    MemoryDisplay memory;
};

INSTANTIATE_TEST_SUITE_P(EveryMode, ClipWindowTest, ::testing::Values(1, 3, 4), namePixelMode);

TEST_P(ClipWindowTest, WindowCoordinatesStartAtItsCorner) {
    openMemoryDisplay(&memory, 200, 100, GetParam(), 7);
    setClipWindow(10, 20, 110, 70);
    EXPECT_EQ(display.screenWidth, 100);
    EXPECT_EQ(display.screenHeight, 50);
    pixelOps.plot(0, 0, 0x0F);
    pixelOps.plot(100, 0, 0x0F);
    pixelOps.plot(0, 50, 0x0F);
    pixelOps.plot(99, 49, 0x0F);
    EXPECT_EQ(pixelOps.peek(0, 0), 0x0Fu);
    clearClipWindow();
    EXPECT_EQ(touchedSet(memory), (PixelSet{{10, 20}, {109, 69}}));
}

TEST_P(ClipWindowTest, ClearingRestoresTheAreaBuffersAndMouseExactly) {
    openMemoryDisplay(&memory, 200, 100, GetParam(), 7);
    mouseX = 57;
    mouseY = 33;
    setClipWindow(10, 20, 110, 70);
    EXPECT_TRUE(clipWindowSet);
    EXPECT_EQ(clipOriginX, 10);
    EXPECT_EQ(clipOriginY, 20);
    EXPECT_EQ(mouseX, 47);
    EXPECT_EQ(mouseY, 13);
    EXPECT_EQ(display.backBuffer, memory.back.data() + 20 * memory.pitch + 10 * GetParam());
    EXPECT_EQ(display.layerBuffer, memory.layer.data() + 20 * memory.pitch + 10 * GetParam());
    EXPECT_EQ(display.frontBuffer, memory.front.data()) << "the front buffer does not move";
    clearClipWindow();
    EXPECT_FALSE(clipWindowSet);
    EXPECT_EQ(display.screenWidth, 200);
    EXPECT_EQ(display.screenHeight, 100);
    EXPECT_EQ(display.backBuffer, memory.back.data());
    EXPECT_EQ(display.layerBuffer, memory.layer.data());
    EXPECT_EQ(mouseX, 57);
    EXPECT_EQ(mouseY, 33);
    EXPECT_EQ(clipOriginX, 0);
    EXPECT_EQ(clipOriginY, 0);
}

TEST_P(ClipWindowTest, WindowIsCutToTheArea) {
    openMemoryDisplay(&memory, 40, 30, GetParam());
    setClipWindow(-5, -8, 1000, 25);
    EXPECT_EQ(clipOriginX, 0);
    EXPECT_EQ(clipOriginY, 0);
    EXPECT_EQ(display.screenWidth, 40);
    EXPECT_EQ(display.screenHeight, 25);
    EXPECT_EQ(display.backBuffer, memory.back.data());
    clearClipWindow();
    EXPECT_EQ(display.screenHeight, 30);
}

// Nothing that tests the area draws in an empty window, and clearing it gives the whole
// screen back.
TEST_P(ClipWindowTest, EmptyWindowDrawsNothingUntilCleared) {
    openMemoryDisplay(&memory, 40, 30, GetParam());
    mouseX = 5;
    mouseY = 6;
    setClipWindow(10, 5, 10, 20);
    EXPECT_EQ(display.screenWidth, 0);
    EXPECT_EQ(display.screenHeight, 0);
    EXPECT_EQ(display.backBuffer, memory.back.data()) << "the buffers do not move";
    EXPECT_EQ(mouseX, 5);
    uint8_t sprite[2 + 4 * 4 * 4] = {4, 4};
    pixelOps.plot(0, 0, 0x0F);
    pixelOps.fillRect(0, 0, 40, 30, 0x0F);
    pixelOps.frameRect(0, 0, 3, 3, 0x0F);
    pixelOps.frameRect(-1, -1, 3, 3, 0x0F);
    pixelOps.blitSprite(0, 0, sprite);
    pixelOps.blitSpriteClipped(0, 0, sprite);
    blitSpriteAlpha(0, 0, sprite);
    drawSpan(-5, 50, 0, 0x0F);
    fillTriangle(0, 0, 30, 0, 0, 20, 0x0F);
    drawLineDirect(0, 0, 10, 10, 0x0F);
    drawLineScreen(0, 0, 10, 10, 0x0F);
    drawCircle(5, 5, 3, 0x0F);
    fillCircle(5, 5, 3, 0x0F);
    drawMousePointer();
    if (GetParam() == 1) {
        frameBox(0, 0, 2, 2, 0x0F);
        fillBox(0, 0, 2, 2, 0x0F);
        fillBoxLayer(0, 0, 2, 2, 0x0F);
    }
    EXPECT_TRUE(touchedSet(memory).empty());
    clearClipWindow();
    EXPECT_EQ(display.screenWidth, 40);
    EXPECT_EQ(mouseX, 5);
    pixelOps.plot(0, 0, 0x0F);
    EXPECT_EQ(touchedSet(memory), (PixelSet{{0, 0}}));
}

TEST_P(ClipWindowTest, WindowThatMissesTheAreaIsEmpty) {
    openMemoryDisplay(&memory, 40, 30, GetParam());
    mouseX = 5;
    setClipWindow(45, 0, 60, 10);
    EXPECT_EQ(display.screenWidth, 0);
    EXPECT_EQ(display.screenHeight, 0);
    EXPECT_EQ(display.backBuffer, memory.back.data());
    EXPECT_EQ(mouseX, 5);
    clearClipWindow();
    setClipWindow(-20, -20, -3, 10);
    EXPECT_EQ(display.screenWidth, 0);
    clearClipWindow();
    EXPECT_EQ(display.screenWidth, 40);
    EXPECT_EQ(display.screenHeight, 30);
}

TEST_P(ClipWindowTest, ClearingWithoutAWindowChangesNothing) {
    openMemoryDisplay(&memory, 40, 30, GetParam());
    mouseX = 5;
    clearClipWindow();
    EXPECT_EQ(display.screenWidth, 40);
    EXPECT_EQ(display.screenHeight, 30);
    EXPECT_EQ(display.backBuffer, memory.back.data());
    EXPECT_EQ(mouseX, 5);
}

// A second window narrows the first, in its coordinates; one clear returns to the screen.
TEST_P(ClipWindowTest, SecondWindowNarrowsTheFirstAndOneClearUndoesBoth) {
    openMemoryDisplay(&memory, 80, 60, GetParam(), 3);
    mouseX = 40;
    mouseY = 30;
    setClipWindow(10, 10, 60, 60);
    setClipWindow(5, 5, 100, 20);
    EXPECT_EQ(clipOriginX, 15);
    EXPECT_EQ(clipOriginY, 15);
    EXPECT_EQ(display.screenWidth, 45);
    EXPECT_EQ(display.screenHeight, 15);
    EXPECT_EQ(mouseX, 25);
    pixelOps.plot(0, 0, 0x0F);
    pixelOps.plot(44, 14, 0x0F);
    pixelOps.plot(45, 0, 0x0F);
    setClipWindow(3, 3, 3, 3);
    pixelOps.plot(0, 0, 0x0F);
    clearClipWindow();
    EXPECT_EQ(touchedSet(memory), (PixelSet{{15, 15}, {59, 29}}));
    EXPECT_EQ(display.screenWidth, 80);
    EXPECT_EQ(display.screenHeight, 60);
    EXPECT_EQ(display.backBuffer, memory.back.data());
    EXPECT_EQ(mouseX, 40);
    EXPECT_EQ(mouseY, 30);
}

TEST_P(ClipWindowTest, LiftAndRestoreRoundTrip) {
    openMemoryDisplay(&memory, 80, 60, GetParam(), 3);
    mouseX = 40;
    mouseY = 30;
    setClipWindow(10, 12, 50, 40);
    LiftedClipWindow lifted = liftClipWindow();
    EXPECT_FALSE(clipWindowSet);
    EXPECT_EQ(display.screenWidth, 80);
    EXPECT_EQ(mouseX, 40);
    mouseX = 41; // moved meanwhile, in screen coordinates
    restoreClipWindow(lifted);
    EXPECT_TRUE(clipWindowSet);
    EXPECT_EQ(clipOriginX, 10);
    EXPECT_EQ(clipOriginY, 12);
    EXPECT_EQ(display.screenWidth, 40);
    EXPECT_EQ(display.screenHeight, 28);
    EXPECT_EQ(mouseX, 31);
    EXPECT_EQ(mouseY, 18);
    EXPECT_EQ(display.backBuffer, memory.back.data() + 12 * memory.pitch + 10 * GetParam());
    lifted = liftClipWindow();
    restoreClipWindow(liftClipWindow()); // nothing set: nothing to restore
    EXPECT_FALSE(clipWindowSet);
    restoreClipWindow(lifted);
    clearClipWindow();
    EXPECT_EQ(display.backBuffer, memory.back.data());
    EXPECT_EQ(mouseX, 41);
}

TEST_P(ClipWindowTest, PrimitivesClipToTheWindow) {
    openMemoryDisplay(&memory, 40, 30, GetParam());
    setClipWindow(10, 5, 20, 15);
    pixelOps.fillRect(-5, -5, 100, 100, 0x0F);
    clearClipWindow();
    EXPECT_EQ(touchedSet(memory), block(10, 5, 19, 14));
    openMemoryDisplay(&memory, 40, 30, GetParam());
    setClipWindow(10, 5, 20, 15);
    drawSpan(-100, 100, 3, 0x0F);
    fillCircle(0, 0, 2, 0x0F);
    clearClipWindow();
    EXPECT_EQ(touchedSet(memory),
              unite(block(10, 8, 19, 8),
                    unite(unite(block(10, 5, 12, 5), block(10, 6, 11, 6)), block(10, 7, 10, 7))));
}

TEST_P(ClipWindowTest, MousePointerStaysOnTheSameScreenPixel) {
    openMemoryDisplay(&memory, 40, 30, GetParam());
    mouseX = 15;
    mouseY = 10;
    drawMousePointer();
    const std::vector<uint8_t> whole = memory.back;
    openMemoryDisplay(&memory, 40, 30, GetParam());
    setClipWindow(10, 5, 30, 25);
    drawMousePointer();
    clearClipWindow();
    EXPECT_EQ(memory.back, whole);
}

} // namespace
