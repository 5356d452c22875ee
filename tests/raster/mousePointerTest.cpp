#include "raster/areaTestSupport.h"
#include "support/testNames.h"

#include "raster/mousePointer.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

class MousePointerTest : public SystemTestWithParam<PixelMode> {
  protected:
    MemoryDisplay memory;
};

INSTANTIATE_TEST_SUITE_P(EveryMode, MousePointerTest, ::testing::Values(1, 3, 4), namePixelMode);

// Two short arms and a diagonal, the tip on the mouse position, in white.
TEST_P(MousePointerTest, ArrowPointsUpAndLeftFromTheMouse) {
    openMemoryDisplay(&memory, 20, 20, GetParam());
    mouseX = 6;
    mouseY = 7;
    drawMousePointer();
    EXPECT_EQ(
        touchedSet(memory),
        (PixelSet{{6, 7}, {7, 7}, {8, 7}, {6, 8}, {6, 9}, {7, 8}, {8, 9}, {9, 10}, {10, 11}}));
    EXPECT_EQ(colourAt(memory, 10, 11), GetParam() == 1 ? 15u : 0xFFFFFFu);
}

TEST_P(MousePointerTest, PointerAtTheEdgeIsClipped) {
    openMemoryDisplay(&memory, 20, 20, GetParam());
    mouseX = 18;
    mouseY = -1;
    drawMousePointer();
    EXPECT_EQ(touchedSet(memory), (PixelSet{{18, 0}, {18, 1}, {19, 0}}));
    openMemoryDisplay(&memory, 20, 20, GetParam());
    mouseX = INT_MAX;
    mouseY = INT_MIN;
    drawMousePointer();
    EXPECT_TRUE(touchedSet(memory).empty());
}

} // namespace
