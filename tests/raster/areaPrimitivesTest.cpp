#include "raster/areaTestSupport.h"
#include "support/testNames.h"

#include "raster/areaPrimitives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

const Colour colour = 0x123456;

class AreaTest : public SystemTestWithParam<PixelMode> {
  protected:
    MemoryDisplay memory;
};

INSTANTIATE_TEST_SUITE_P(EveryMode, AreaTest, ::testing::Values(1, 3, 4), namePixelMode);

// --- frameRect ---------------------------------------------------------------------------

TEST_P(AreaTest, FrameRectOfNoSizeIsOnePixelAndTheFarEdgesBelong) {
    openMemoryDisplay(&memory, 16, 10, GetParam(), 3);
    pixelOps.frameRect(4, 3, 0, 0, colour);
    EXPECT_EQ(touchedSet(memory), block(4, 3, 4, 3));
    openMemoryDisplay(&memory, 16, 10, GetParam(), 3);
    pixelOps.frameRect(4, 3, 2, 1, colour);
    EXPECT_EQ(touchedSet(memory), block(4, 3, 6, 4));
}

TEST_P(AreaTest, FrameRectOutlineLeavesTheInsideAlone) {
    openMemoryDisplay(&memory, 16, 10, GetParam(), 3);
    pixelOps.frameRect(2, 1, 5, 4, colour);
    PixelSet outline = unite(unite(block(2, 1, 7, 1), block(2, 5, 7, 5)),
                             unite(block(2, 1, 2, 5), block(7, 1, 7, 5)));
    EXPECT_EQ(touchedSet(memory), outline);
    EXPECT_EQ(colourAt(memory, 2, 1), display.pixelMode == 1 ? 0x56u : colour);
    EXPECT_EQ(colourAt(memory, 7, 5), display.pixelMode == 1 ? 0x56u : colour);
}

TEST_P(AreaTest, FrameRectSidesOutsideTheAreaAreOmitted) {
    openMemoryDisplay(&memory, 16, 10, GetParam(), 3);
    pixelOps.frameRect(-1, 2, 4, 3, colour);
    EXPECT_EQ(touchedSet(memory),
              unite(unite(block(0, 2, 3, 2), block(0, 5, 3, 5)), block(3, 2, 3, 5)))
        << "no left side; the top and bottom runs start at column 0";
    openMemoryDisplay(&memory, 16, 10, GetParam(), 3);
    pixelOps.frameRect(13, 8, 5, 5, colour);
    EXPECT_EQ(touchedSet(memory), unite(block(13, 8, 15, 8), block(13, 9, 13, 9)))
        << "no right side and no bottom";
    openMemoryDisplay(&memory, 16, 10, GetParam(), 3);
    pixelOps.frameRect(-3, -3, 20, 20, colour);
    EXPECT_TRUE(touchedSet(memory).empty()) << "all four sides outside";
}

TEST_P(AreaTest, FrameRectThatCannotMeetTheAreaDrawsNothing) {
    openMemoryDisplay(&memory, 16, 10, GetParam());
    pixelOps.frameRect(2, 2, -1, 3, colour);
    pixelOps.frameRect(2, 2, 3, -1, colour);
    pixelOps.frameRect(16, 2, 3, 3, colour);
    pixelOps.frameRect(2, 10, 3, 3, colour);
    pixelOps.frameRect(-5, 2, 4, 3, colour);
    pixelOps.frameRect(2, -5, 3, 4, colour);
    pixelOps.frameRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX, colour);
    pixelOps.frameRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, colour);
    EXPECT_TRUE(touchedSet(memory).empty());
}

TEST_P(AreaTest, FrameRectKeepsTheFourthByteAndTheRowEnds) {
    const int extra = 5;
    openMemoryDisplay(&memory, 8, 6, GetParam(), extra, 0xAA);
    pixelOps.frameRect(-2, -2, 12, 12, 0);
    for (int32_t y = 0; y < 6; ++y) {
        for (int32_t b = 8 * GetParam(); b < memory.pitch; ++b) {
            EXPECT_EQ(memory.back[y * memory.pitch + b], 0xAA) << "row end, row " << y;
        }
    }
    if (GetParam() == 4) {
        EXPECT_EQ(pixelAt(memory, memory.back, 0, 0)[3], 0xAA);
    }
}

// --- drawSpan ----------------------------------------------------------------------------

TEST_P(AreaTest, SpanCoversItsLeftEndButNotItsRightEnd) {
    openMemoryDisplay(&memory, 16, 10, GetParam(), 2);
    drawSpan(7, 3, 4, colour);
    EXPECT_EQ(touchedSet(memory), block(3, 4, 6, 4));
    openMemoryDisplay(&memory, 16, 10, GetParam(), 2);
    drawSpan(5, 5, 4, colour);
    drawSpan(-50, -10, 4, colour);
    drawSpan(20, 40, 4, colour);
    EXPECT_TRUE(touchedSet(memory).empty());
}

// The ends are cut to [0, screenWidth]: a span can reach the last column, never beyond.
TEST_P(AreaTest, SpanIsCutToTheAreaAndReachesTheLastColumn) {
    openMemoryDisplay(&memory, 16, 10, GetParam());
    drawSpan(-5, 100, 9, colour);
    EXPECT_EQ(touchedSet(memory), block(0, 9, 15, 9));
    openMemoryDisplay(&memory, 16, 10, GetParam());
    drawSpan(INT_MAX, INT_MIN, 0, colour);
    EXPECT_EQ(touchedSet(memory), block(0, 0, 15, 0));
}

TEST_P(AreaTest, SpanOnARowOutsideTheAreaDrawsNothing) {
    openMemoryDisplay(&memory, 16, 10, GetParam());
    drawSpan(0, 16, -1, colour);
    drawSpan(0, 16, 10, colour);
    drawSpan(0, 16, INT_MIN, colour);
    EXPECT_TRUE(touchedSet(memory).empty());
}

// --- fillTriangle --------------------------------------------------------------------------

TEST_P(AreaTest, TriangleRowsStopAboveTheBottomVertex) {
    openMemoryDisplay(&memory, 16, 16, GetParam());
    fillTriangle(0, 0, 10, 10, 0, 10, colour);
    PixelSet expected;
    for (int32_t i = 1; i < 10; ++i) {
        expected = unite(expected, block(0, i, i - 1, i));
    }
    EXPECT_EQ(touchedSet(memory), expected) << "row i covers columns 0 <= c < i; row 10 is empty";
}

TEST_P(AreaTest, TriangleDoesNotDependOnTheVertexOrder) {
    const int32_t v[3][2] = {{3, -4}, {14, 6}, {-2, 12}};
    int order[3] = {0, 1, 2};
    openMemoryDisplay(&memory, 16, 16, GetParam());
    fillTriangle(v[0][0], v[0][1], v[1][0], v[1][1], v[2][0], v[2][1], colour);
    const std::vector<uint8_t> first = memory.back;
    ASSERT_GT(touchedSet(memory).size(), 50u);
    while (std::next_permutation(order, order + 3)) {
        openMemoryDisplay(&memory, 16, 16, GetParam());
        fillTriangle(v[order[0]][0], v[order[0]][1], v[order[1]][0], v[order[1]][1], v[order[2]][0],
                     v[order[2]][1], colour);
        EXPECT_EQ(memory.back, first) << order[0] << order[1] << order[2];
    }
}

TEST_P(AreaTest, TriangleRowsFollowBothEdges) {
    openMemoryDisplay(&memory, 20, 20, GetParam());
    fillTriangle(10, 2, 18, 8, 2, 14, colour);
    for (int32_t i = 0; i < 20; ++i) {
        int32_t left = 20;
        int32_t right = -1;
        for (int32_t x = 0; x < 20; ++x) {
            if (colourAt(memory, x, i) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (i < 2 || i >= 14) {
            EXPECT_EQ(right, -1) << "row " << i;
            continue;
        }
        // Long edge from (10, 2) to (2, 14); the upper short edge to (18, 8), the lower one
        // from there to (2, 14).
        const int32_t longEdge = 10 + (2 - 10) * (i - 2) / 12;
        const int32_t shortEdge =
            i < 8 ? 10 + (18 - 10) * (i - 2) / 6 : 18 + (2 - 18) * (i - 8) / 6;
        if (longEdge == shortEdge) {
            EXPECT_EQ(right, -1) << "row " << i;
            continue;
        }
        EXPECT_EQ(left, std::min(longEdge, shortEdge)) << "row " << i;
        EXPECT_EQ(right, std::max(longEdge, shortEdge) - 1) << "row " << i;
    }
}

TEST_P(AreaTest, FlatOrFarTrianglesDrawNothing) {
    openMemoryDisplay(&memory, 16, 16, GetParam());
    fillTriangle(0, 5, 10, 5, 4, 5, colour);
    fillTriangle(0, -9, 10, -1, 4, -5, colour);
    fillTriangle(0, 16, 10, 30, 4, 20, colour);
    EXPECT_TRUE(touchedSet(memory).empty());
}

TEST_P(AreaTest, TriangleWithExtremeCoordinatesStaysInTheArea) {
    openMemoryDisplay(&memory, 16, 16, GetParam());
    fillTriangle(INT_MIN, INT_MIN, INT_MAX, 0, 0, INT_MAX, colour);
    fillTriangle(INT_MAX, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, colour);
    EXPECT_FALSE(touchedSet(memory).empty());
}

// --- 8-bit boxes ---------------------------------------------------------------------------

class BoxTest : public SystemTest {
  protected:
    MemoryDisplay memory;
};

TEST_F(BoxTest, FrameBoxDrawsBothCornersIncluded) {
    openMemoryDisplay(&memory, 16, 10, 1, 4);
    frameBox(2, 2, 6, 5, 0x1C);
    EXPECT_EQ(touchedSet(memory), unite(unite(block(2, 2, 6, 2), block(2, 5, 6, 5)),
                                        unite(block(2, 3, 2, 4), block(6, 3, 6, 4))));
    EXPECT_EQ(colourAt(memory, 6, 5), 0x1Cu);
}

TEST_F(BoxTest, FrameBoxStartingBeforeTheBufferDrawsNothing) {
    openMemoryDisplay(&memory, 16, 10, 1);
    frameBox(2, static_cast<uint32_t>(-1), 6, 5, 9);
    frameBox(6, 2, 2, 5, 9);
    frameBox(2, 5, 6, 2, 9);
    EXPECT_TRUE(touchedSet(memory).empty());
}

// Top and bottom runs are memory fills with no clipping: past the right edge they run on into
// the start of the following row. The right side, outside the area, is skipped.
TEST_F(BoxTest, FrameBoxRunsContinueIntoTheNextRow) {
    openMemoryDisplay(&memory, 16, 16, 1);
    frameBox(12, 10, 19, 12, 9);
    EXPECT_EQ(touchedSet(memory), unite(unite(block(12, 10, 15, 10), block(0, 11, 3, 11)),
                                        unite(unite(block(12, 11, 12, 11), block(12, 12, 15, 12)),
                                              block(0, 13, 3, 13))));
}

TEST_F(BoxTest, FrameBoxIsDrawnWholeOrNotAtAll) {
    openMemoryDisplay(&memory, 16, 10, 1);
    frameBox(10, 6, 15, 9, 9);
    EXPECT_EQ(memory.back.back(), 9) << "the last byte of the buffer is the box's last";
    openMemoryDisplay(&memory, 16, 10, 1);
    frameBox(11, 6, 16, 9, 9);
    EXPECT_TRUE(touchedSet(memory).empty()) << "one byte past the buffer: nothing";
}

// Inside a clip window whose area reaches the buffer's last row the area's end in bytes lies
// past the buffer by the window's left offset; the box must stop at the buffer's end.
TEST_F(BoxTest, FrameBoxInAClipWindowStopsAtTheBufferEnd) {
    openMemoryDisplay(&memory, 16, 16, 1);
    setClipWindow(4, 0, 16, 16);
    frameBox(6, 14, 11, 15, 9);
    EXPECT_EQ(memory.back.back(), 9);
    clearClipWindow();
    openMemoryDisplay(&memory, 16, 16, 1);
    setClipWindow(4, 0, 16, 16);
    frameBox(7, 14, 12, 15, 9);
    clearClipWindow();
    EXPECT_TRUE(touchedSet(memory).empty());
}

TEST_F(BoxTest, FillBoxExcludesTheFarCorner) {
    openMemoryDisplay(&memory, 16, 10, 1, 3);
    fillBox(2, 3, 5, 4, 7);
    EXPECT_EQ(touchedSet(memory), block(2, 3, 4, 3));
    openMemoryDisplay(&memory, 16, 10, 1, 3);
    fillBox(12, 7, 40, 40, 7);
    EXPECT_EQ(touchedSet(memory), block(12, 7, 15, 9)) << "cut at the right and bottom edges";
}

TEST_F(BoxTest, FillBoxWithoutAStartInTheAreaOrWithReversedCornersDrawsNothing) {
    openMemoryDisplay(&memory, 16, 10, 1);
    fillBox(static_cast<uint32_t>(-2), 3, 5, 6, 7);
    fillBox(3, static_cast<uint32_t>(-2), 5, 6, 7);
    fillBox(16, 3, 20, 6, 7);
    fillBox(8, 3, 5, 6, 7);
    fillBox(3, 8, 5, 6, 7);
    EXPECT_TRUE(touchedSet(memory).empty());
}

TEST_F(BoxTest, FillBoxLayerAndFillRectFrontUseTheirBuffers) {
    openMemoryDisplay(&memory, 16, 10, 1);
    fillBoxLayer(1, 1, 3, 2, 5);
    fillRectFront(4, 4, 2, 2, 6);
    EXPECT_TRUE(touchedSet(memory).empty());
    EXPECT_EQ(pixelAt(memory, memory.layer, 1, 1)[0], 5);
    EXPECT_EQ(pixelAt(memory, memory.layer, 2, 1)[0], 5);
    EXPECT_EQ(pixelAt(memory, memory.layer, 3, 1)[0], 0);
    EXPECT_EQ(pixelAt(memory, memory.front, 5, 5)[0], 6);
    EXPECT_EQ(pixelAt(memory, memory.front, 6, 5)[0], 0);
}

// A negative width is a huge unsigned one: the run reaches the right edge.
TEST_F(BoxTest, FillRectFrontWithANegativeWidthRunsToTheRightEdge) {
    openMemoryDisplay(&memory, 16, 10, 1);
    fillRectFront(10, 2, static_cast<uint32_t>(-1), 1, 6);
    int written = 0;
    for (size_t i = 0; i < memory.front.size(); ++i) {
        written += memory.front[i] != 0;
    }
    EXPECT_EQ(written, 6);
    EXPECT_EQ(pixelAt(memory, memory.front, 15, 2)[0], 6);
}

} // namespace
