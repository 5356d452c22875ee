// Walks settled ahead and drawn band by band must give the bytes of the lines and dots drawn
// directly, in order, whatever the bands: the same pixels, each blended in the same order.
#include "support/memoryDisplay.h"
#include "support/systemReset.h"

#include "raster/lines.h"
#include "raster/screenWalks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

const int32_t width = 61;
const int32_t height = 47;

struct Drawing {
    float x1;
    float y1;
    float x2;
    float y2;
    Colour colour;
    bool dot;
};

uint32_t seed = 12345;

uint32_t nextRandom() {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
}

float position(float size) {
    const uint32_t pick = nextRandom() % 16;
    if (pick == 0) {
        return -3.0f; // just off the top or left
    }
    if (pick == 1) {
        return size - 0.25f; // on the last pixel
    }
    if (pick == 2) {
        return (nextRandom() % 2 == 0 ? -1 : 1) * 3.0e6f; // far off, on either side
    }
    return static_cast<float>(nextRandom() % 10000) / 10000.0f * (size + 40.0f) - 20.0f;
}

// Long and short lines of every slope, many crossing each other and the screen's edges, some
// too short to walk, some black, and dots on and off the screen.
std::vector<Drawing> someDrawings(int count) {
    std::vector<Drawing> drawings;
    for (int i = 0; i < count; ++i) {
        Drawing d;
        d.x1 = position(width);
        d.y1 = position(height);
        const uint32_t shape = nextRandom() % 8;
        if (shape == 0) {
            d.x2 = d.x1 + 0.2f; // one pixel
            d.y2 = d.y1 - 0.1f;
        } else if (shape == 1) {
            d.x2 = d.x1; // upright
            d.y2 = position(height);
        } else if (shape == 2) {
            d.x2 = position(width); // level
            d.y2 = d.y1;
        } else {
            d.x2 = position(width);
            d.y2 = position(height);
        }
        d.colour = nextRandom() % 7 == 0 ? 0 : (nextRandom() & 0xFFFFFF);
        d.dot = nextRandom() % 5 == 0;
        drawings.push_back(d);
    }
    const float nan = std::numeric_limits<float>::quiet_NaN();
    drawings.push_back({nan, 3.0f, 20.0f, 30.0f, 0xFFFFFF, false});
    drawings.push_back({-0.5f, -0.5f, 0.0f, 0.0f, 0x808080, true});
    drawings.push_back({width - 0.5f, height - 0.5f, 0.0f, 0.0f, 0x808080, true});
    drawings.push_back({-1.5f, 4.0f, 0.0f, 0.0f, 0x808080, true});
    return drawings;
}

void drawDirectly(const std::vector<Drawing>& drawings) {
    for (const Drawing& d : drawings) {
        if (d.dot) {
            plotScreen(toPixelCoordinate(d.x1), toPixelCoordinate(d.y1), d.colour);
        } else {
            drawLineScreen(d.x1, d.y1, d.x2, d.y2, d.colour);
        }
    }
}

std::vector<ScreenWalk> settle(const std::vector<Drawing>& drawings) {
    std::vector<ScreenWalk> walks;
    for (const Drawing& d : drawings) {
        ScreenWalk walk;
        if (d.dot) {
            walks.push_back(settleScreenDot(d.x1, d.y1, d.colour));
        } else if (settleScreenLine(d.x1, d.y1, d.x2, d.y2, d.colour, &walk)) {
            walks.push_back(walk);
        }
    }
    return walks;
}

// The back buffer's bytes after the drawings, drawn directly on a fresh screen.
std::vector<uint8_t> drawnBytes(MemoryDisplay* memory, PixelMode mode,
                                const std::vector<Drawing>& drawings) {
    openMemoryDisplay(memory, width, height, mode, 5, 0x11);
    drawDirectly(drawings);
    return memory->back;
}

class ScreenWalksTest : public SystemTestWithParam<PixelMode> {};

TEST_P(ScreenWalksTest, BandsTogetherDrawTheDirectBytes) {
    MemoryDisplay memory;
    const std::vector<Drawing> drawings = someDrawings(400);
    const std::vector<uint8_t> expected = drawnBytes(&memory, GetParam(), drawings);
    size_t changed = 0;
    for (uint8_t byte : expected) {
        changed += byte != 0x11 ? 1 : 0;
    }
    ASSERT_GT(changed, 2000u) << "the drawings hardly reach the screen";

    const std::vector<ScreenWalk> walks = settle(drawings);
    // Whole; halves; uneven bands, one a single row; bands past the screen's rows.
    const std::vector<std::vector<int32_t>> cuts = {
        {0, height}, {0, 23, height}, {0, 1, 2, 17, 40, height}, {-5, 10, 11, height + 9}};
    for (const std::vector<int32_t>& cut : cuts) {
        openMemoryDisplay(&memory, width, height, GetParam(), 5, 0x11);
        // The later bands first: each band's bytes are its own.
        for (size_t band = cut.size() - 1; band > 0; --band) {
            drawScreenWalksInRows(walks.data(), walks.size(), cut[band - 1], cut[band]);
        }
        EXPECT_TRUE(memory.back == expected) << cut.size() - 1 << " bands";
    }
}

TEST_P(ScreenWalksTest, ABandDrawsOnlyItsRows) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, width, height, GetParam(), 0, 0x11);
    const std::vector<ScreenWalk> walks = settle(someDrawings(200));
    EXPECT_GT(drawScreenWalksInRows(walks.data(), walks.size(), 10, 20), 0);
    const size_t rowBytes = static_cast<size_t>(memory.pitch);
    for (size_t i = 0; i < memory.back.size(); ++i) {
        const int32_t row = static_cast<int32_t>(i / rowBytes);
        if (row < 10 || row >= 20) {
            ASSERT_EQ(memory.back[i], 0x11) << "row " << row;
        }
    }
    EXPECT_EQ(drawScreenWalksInRows(walks.data(), walks.size(), 20, 20), 0) << "no rows";
}

// The screen's lines step the true-colour blends without the slot; a slot that is not one of
// them is still called for every pixel, and the two give the same bytes.
uint32_t slotPlots = 0;
void countedBlend24(uint32_t x, uint32_t y, Colour colour) {
    ++slotPlots;
    blendScreen24(x, y, colour);
}
void countedBlend32(uint32_t x, uint32_t y, Colour colour) {
    ++slotPlots;
    blendScreen32(x, y, colour);
}

TEST_P(ScreenWalksTest, TheBlendWithoutTheSlotDrawsTheSlotsBytes) {
    MemoryDisplay memory;
    const std::vector<Drawing> drawings = someDrawings(400);
    const std::vector<uint8_t> withoutSlot = drawnBytes(&memory, GetParam(), drawings);

    // The display opened again binds the slot afresh: it is replaced after that.
    openMemoryDisplay(&memory, width, height, GetParam(), 5, 0x11);
    const PlotOperation bound = plotScreen;
    plotScreen = GetParam() == pixelModeTrueColour24 ? countedBlend24 : countedBlend32;
    slotPlots = 0;
    drawDirectly(drawings);
    plotScreen = bound;
    EXPECT_GT(slotPlots, 2000u) << "the slot was not called for the lines' pixels";
    EXPECT_TRUE(memory.back == withoutSlot);
}

// What misses the screen is not kept; what is kept knows the rows it may reach.
TEST_P(ScreenWalksTest, SettledLinesKeepTheirRows) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, width, height, GetParam());
    ScreenWalk walk;
    EXPECT_FALSE(settleScreenLine(-10.0f, 5.0f, -2.0f, 40.0f, 0xFFFFFF, &walk));
    EXPECT_FALSE(settleScreenLine(std::numeric_limits<float>::infinity(), 5.0f, 2.0f, 4.0f,
                                  0xFFFFFF, &walk));
    ASSERT_TRUE(settleScreenLine(30.0f, -100.0f, 30.5f, 12.0f, 0xFFFFFF, &walk));
    EXPECT_EQ(walk.shape, screenWalkAlongY);
    EXPECT_LE(walk.firstRow, 0);
    EXPECT_GE(walk.lastRow, 12);
    EXPECT_LT(walk.lastRow, 16);
    ASSERT_TRUE(settleScreenLine(50.0f, 20.0f, 3.0f, 25.0f, 0xFFFFFF, &walk));
    EXPECT_EQ(walk.shape, screenWalkAlongX);
    EXPECT_EQ(walk.x, 3.0f) << "walked from the end with the smaller x + y";
    ASSERT_TRUE(settleScreenLine(5.0f, 5.0f, 5.1f, 5.1f, 0xFFFFFF, &walk));
    EXPECT_EQ(walk.shape, screenWalkPoint);
}

// No blend exists for 8-bit pixels: as plotScreen, the walks leave them alone.
TEST(ScreenWalksPalettized, DrawNothing) {
    resetSystemGlobals();
    MemoryDisplay memory;
    openMemoryDisplay(&memory, width, height, pixelModePalettized, 0, 0x11);
    const std::vector<ScreenWalk> walks = settle(someDrawings(50));
    ASSERT_FALSE(walks.empty());
    EXPECT_EQ(drawScreenWalksInRows(walks.data(), walks.size(), 0, height), 0);
    for (uint8_t byte : memory.back) {
        ASSERT_EQ(byte, 0x11);
    }
    resetSystemGlobals();
}

INSTANTIATE_TEST_SUITE_P(TrueColour, ScreenWalksTest,
                         ::testing::Values(pixelModeTrueColour24, pixelModeTrueColour32));

} // namespace
