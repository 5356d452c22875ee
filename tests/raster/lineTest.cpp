#include "support/memoryDisplay.h"
#include "support/systemReset.h"

#include "raster/lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

typedef std::vector<std::pair<int32_t, int32_t>> Pixels;

Pixels recorded;

void recordPlot(uint32_t x, uint32_t y, Colour) {
    recorded.emplace_back(static_cast<int32_t>(x), static_cast<int32_t>(y));
}

const PlotOperation recordingSlot = recordPlot;

Pixels walk(float x1, float y1, float x2, float y2) {
    recorded.clear();
    stepLine(x1, y1, x2, y2, &recordingSlot, 1);
    return recorded;
}

Pixels row(int32_t y, int32_t from, int32_t to) {
    Pixels pixels;
    for (int32_t x = from; x <= to; ++x) {
        pixels.emplace_back(x, y);
    }
    return pixels;
}

class LineTest : public SystemTest {
  protected:
    void open(int32_t width, int32_t height, PixelMode mode) {
        openMemoryDisplay(&memory, width, height, mode, 4);
    }
    MemoryDisplay memory;
};

TEST(ToPixelCoordinate, TruncatesTowardZeroIntoUnsigned) {
    EXPECT_EQ(toPixelCoordinate(3.99), 3u);
    EXPECT_EQ(toPixelCoordinate(-0.5), 0u);
    EXPECT_EQ(toPixelCoordinate(-1.0), 0xFFFFFFFFu);
    EXPECT_EQ(toPixelCoordinate(-1.5), 0xFFFFFFFFu);
    EXPECT_EQ(toPixelCoordinate(3000000000.7), 3000000000u);
    EXPECT_EQ(toPixelCoordinate(0.0 / 0.0), 0x80000000u);
    EXPECT_EQ(toPixelCoordinate(1e30), 0x80000000u);
    EXPECT_EQ(toPixelCoordinate(-1e30), 0x80000000u);
}

TEST(StepLine, MajorAxisCountKeepsTheFraction) {
    EXPECT_EQ(walk(10.5f, 3, 13.2f, 3), row(3, 10, 12));
    EXPECT_EQ(walk(0, 0, 3, 0).size(), 4u);
}

TEST(StepLine, TinyLinesAreOnePixelAtTheFirstEnd) {
    EXPECT_EQ(walk(5, 5, 5.3f, 5), (Pixels{{5, 5}}));
    EXPECT_EQ(walk(5, 5, 5.32f, 5), (Pixels{{5, 5}}));
    EXPECT_EQ(walk(7.9f, 2, 7.9f, 2), (Pixels{{7, 2}}));
    EXPECT_EQ(walk(9.2f, 4.1f, 9.0f, 4.0f), (Pixels{{9, 4}}));
}

TEST(StepLine, WalkStartsAtTheSmallerSum) {
    const Pixels forward = walk(2, 9, 8, 1);
    const Pixels backward = walk(8, 1, 2, 9);
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(forward.front(), std::make_pair(8, 1));
    EXPECT_EQ(walk(0, 0, 10, 3), walk(10, 3, 0, 0));
}

TEST(StepLine, SteepLinesWalkAlongY) {
    const Pixels pixels = walk(1, 0, 3, 8);
    ASSERT_EQ(pixels.size(), 9u);
    for (size_t i = 0; i < pixels.size(); ++i) {
        EXPECT_EQ(pixels[i].second, static_cast<int32_t>(i));
    }
    EXPECT_EQ(pixels.back(), std::make_pair(3, 8));
}

TEST(ClipLineToScreen, EachEdge) {
    display.screenWidth = 100;
    display.screenHeight = 50;
    struct Case {
        float in[4];
        float out[4];
    } cases[] = {
        {{-10, 10, 10, 30}, {0, 20, 10, 30}},  {{10, 30, -10, 10}, {10, 30, 0, 20}},
        {{90, 10, 110, 30}, {90, 10, 99, 19}}, {{110, 30, 90, 10}, {99, 19, 90, 10}},
        {{10, -10, 30, 10}, {20, 0, 30, 10}},  {{30, 10, 10, -10}, {30, 10, 20, 0}},
        {{10, 40, 30, 60}, {10, 40, 19, 49}},  {{30, 60, 10, 40}, {19, 49, 10, 40}},
        {{-10, -10, 10, 10}, {0, 0, 10, 10}},  {{0, 0, 99, 49}, {0, 0, 99, 49}},
    };
    for (const Case& c : cases) {
        float x1 = c.in[0], y1 = c.in[1], x2 = c.in[2], y2 = c.in[3];
        ASSERT_TRUE(clipLineToScreen(&x1, &y1, &x2, &y2));
        EXPECT_EQ(x1, c.out[0]);
        EXPECT_EQ(y1, c.out[1]);
        EXPECT_EQ(x2, c.out[2]);
        EXPECT_EQ(y2, c.out[3]);
    }
}

TEST(ClipLineToScreen, RejectsLinesThatMissTheArea) {
    display.screenWidth = 100;
    display.screenHeight = 50;
    const float misses[][4] = {
        {-5, 1, -1, 40},        {100, 1, 150, 40},      {1, -5, 90, -0.5f}, {1, 50, 90, 80},
        {-10, 5, 5, -10},       {95, -10, 110, 5},      {-10, 45, 5, 60},   {110, 45, 95, 60},
        {0.0f / 0.0f, 1, 5, 5}, {1, 1, 1.0f / 0.0f, 5},
    };
    for (const auto& m : misses) {
        float x1 = m[0], y1 = m[1], x2 = m[2], y2 = m[3];
        EXPECT_FALSE(clipLineToScreen(&x1, &y1, &x2, &y2)) << m[0] << "," << m[1];
    }
}

// Every clipped end truncates onto a pixel of the screen, also where the line's deltas are so
// large that one slide along them rounds by pixels.
TEST(ClipLineToScreen, EndsLieOnTheScreenForFarLines) {
    display.screenWidth = 11;
    display.screenHeight = 21;
    const float lines[][4] = {
        {-0.0f, 27.4549866f, -2.1474839e+09f, -2.1474839e+09f},
        {-2.1474839e+09f, -2.1474839e+09f, -0.0f, 27.4549866f},
        {5.5f, 10.0f, 3e9f, -2e9f},
        {-1e30f, 3.0f, 1e30f, 17.0f},
        {10.999f, -7e8f, 0.5f, 9e8f},
        {-3e9f, 10.0f, 3e9f, 10.0f},
    };
    int kept = 0;
    for (const auto& line : lines) {
        float x1 = line[0], y1 = line[1], x2 = line[2], y2 = line[3];
        if (!clipLineToScreen(&x1, &y1, &x2, &y2)) {
            continue;
        }
        ++kept;
        for (float x : {x1, x2}) {
            EXPECT_GT(x, -1.0f) << line[0] << "," << line[1] << " " << line[2] << "," << line[3];
            EXPECT_LT(x, 11.0f) << line[0] << "," << line[1] << " " << line[2] << "," << line[3];
        }
        for (float y : {y1, y2}) {
            EXPECT_GT(y, -1.0f) << line[0] << "," << line[1] << " " << line[2] << "," << line[3];
            EXPECT_LT(y, 21.0f) << line[0] << "," << line[1] << " " << line[2] << "," << line[3];
        }
    }
    EXPECT_GE(kept, 4) << "lines across the screen are kept";
}

TEST_F(LineTest, ScreenLineIsClippedAndBlended) {
    open(40, 20, 3);
    drawLineScreen(-5, 10, 45, 10, 0x808080);
    EXPECT_EQ(touchedPixels(memory), row(10, 0, 39));
    EXPECT_EQ(colourAt(memory, 0, 10), 0x818181u);
    drawLineScreen(10.5f, 3, 13.2f, 3, 0xFFFFFF);
    EXPECT_EQ(colourAt(memory, 12, 3), 0xFFFFFFu);
    EXPECT_EQ(colourAt(memory, 13, 3), 0u);
}

TEST_F(LineTest, ZeroLengthLineIsOnePixel) {
    open(10, 10, 4);
    drawLineScreen(4, 4, 4, 4, 0xFFFFFF);
    EXPECT_EQ(touchedPixels(memory), (Pixels{{4, 4}}));
}

TEST_F(LineTest, DirectLineWalksBytesInTrueColour) {
    open(40, 20, 3);
    drawLineDirect(10.5f, 3, 13.2f, 3, 0x123456);
    EXPECT_EQ(touchedPixels(memory), row(3, 10, 13));
    const uint8_t* p = pixelAt(memory, memory.back, 11, 3);
    EXPECT_EQ(p[0], 0x56);
    EXPECT_EQ(p[1], 0x34);
    EXPECT_EQ(p[2], 0x12);

    open(40, 20, 4);
    drawLineDirect(10.5f, 3, 13.2f, 3, 0x123456);
    EXPECT_EQ(touchedPixels(memory), row(3, 10, 13));

    open(40, 20, 1);
    drawLineDirect(10.5f, 3, 13.2f, 3, 0x123456);
    EXPECT_EQ(touchedPixels(memory), row(3, 10, 12));
    EXPECT_EQ(colourAt(memory, 10, 3), 0x56u);
}

TEST_F(LineTest, DirectLineOverwrites) {
    open(10, 10, 4);
    drawLineDirect(0, 0, 0, 9, 0xFFFFFF);
    drawLineDirect(0, 0, 0, 9, 0x000001);
    EXPECT_EQ(colourAt(memory, 0, 5), 1u);
    EXPECT_EQ(touchedPixels(memory).size(), 10u);
}

TEST_F(LineTest, FrontAndLayerLinesAreNotClippedButDropOffscreenPixels) {
    open(10, 10, 1);
    drawLineFront(-0.5f, 2, 3, 2, 0x1FF);
    EXPECT_EQ(memory.front[2 * memory.pitch + 0], 0xFF);
    // The pixel at -1.5 is dropped; the walk's next step, at -0.5, lands on column 0.
    drawLineFront(-1.5f, 5, -1.5f, 8, 0x07);
    for (int32_t y = 5; y <= 8; ++y) {
        EXPECT_EQ(memory.front[y * memory.pitch + 0], 0);
    }
    drawLineFront(-1.5f, 5, 3, 5, 0x07);
    EXPECT_EQ(memory.front[5 * memory.pitch + 0], 0x07);
    EXPECT_EQ(memory.front[5 * memory.pitch + 2], 0x07);
    EXPECT_EQ(memory.front[5 * memory.pitch + 3], 0);
    drawLineLayer(2, -3, 2, 3, 0x09);
    EXPECT_EQ(memory.layer[0 * memory.pitch + 2], 0x09);
    EXPECT_EQ(memory.layer[3 * memory.pitch + 2], 0x09);
    EXPECT_TRUE(touchedPixels(memory).empty());
}

} // namespace
