// Lines with hostile coordinates: every line ends, and nothing is written outside a buffer
// (guard bytes around the buffers catch it here; AddressSanitizer catches it in its build).
#include "support/memoryDisplay.h"

#include "raster/lines.h"
#include "util/runtimeRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

float hostileCoordinate() {
    static const float pool[] = {
        std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::max(),
        -std::numeric_limits<float>::max(),
        1e30f,
        -1e30f,
        3e9f,
        -3e9f,
        2147483648.0f,
        -2147483648.0f,
        std::numeric_limits<float>::denorm_min(),
        -0.0f,
        -1.0f,
        -0.999f,
    };
    const int32_t pick = runtimeRandom() % 24;
    if (pick < 15) {
        return pool[pick];
    }
    // Ordinary values around and across the edges.
    return static_cast<float>(runtimeRandom() % 2000 - 900) + runtimeRandom() / 32768.0f;
}

TEST(LineRobustness, HostileEndsStayInsideEveryBuffer) {
    seedRuntimeRandom(2024);
    for (PixelMode mode : {1, 3, 4}) {
        MemoryDisplay memory;
        openMemoryDisplay(&memory, 37, 23, mode, 0);
        // Guards: the buffers are exactly pitch x height, so ASan sees any overrun; the
        // fourth byte check below sees stray true-colour writes.
        for (int i = 0; i < 4000; ++i) {
            const float x1 = hostileCoordinate(), y1 = hostileCoordinate();
            const float x2 = hostileCoordinate(), y2 = hostileCoordinate();
            drawLineScreen(x1, y1, x2, y2, 0x404040);
            drawLineDirect(x1, y1, x2, y2, 0x0F0F0F);
            drawLineFront(x1, y1, x2, y2, 0x0F);
            drawLineLayer(x1, y1, x2, y2, 0x0F);
        }
        if (mode == 4) {
            for (size_t b = 3; b < memory.back.size(); b += 4) {
                ASSERT_EQ(memory.back[b], 0) << "fourth byte written at " << b;
            }
        }
    }
}

TEST(LineRobustness, UnclippedLinesBeyondFloatStepsDrawNothing) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 16, 16, 1);
    drawLineFront(-1e9f, 3, 1e9f, 3, 0x0F);
    drawLineLayer(5, -1e20f, 5, 1e20f, 0x0F);
    for (uint8_t b : memory.front) {
        EXPECT_EQ(b, 0);
    }
    // Long but steppable lines still draw their visible part.
    drawLineFront(-100000, 4, 100000, 4, 0x0F);
    EXPECT_EQ(memory.front[4 * memory.pitch + 15], 0x0F);
}

TEST(LineRobustness, HugeScreenLinesFromFarOutside) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 64, 48, 4);
    drawLineDirect(-1e30f, -1e30f, 1e30f, 1e30f, 0xFFFFFF);
    drawLineScreen(-3e9f, 10, 3e9f, 10, 0xFFFFFF);
    EXPECT_EQ(colourAt(memory, 63, 10), 0xFFFFFFu);
    EXPECT_EQ(colourAt(memory, 0, 10), 0xFFFFFFu);
}

// A NaN or an infinity at any of the four ends leaves nothing to draw; the largest finite ends
// still clip to the screen.
TEST(LineRobustness, ClippingRefusesEveryNonFiniteEnd) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 64, 48, 4);
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (float value : bad) {
        for (int slot = 0; slot < 4; ++slot) {
            float ends[4] = {3.0f, 5.0f, 40.0f, 30.0f};
            ends[slot] = value;
            EXPECT_FALSE(clipLineToScreen(&ends[0], &ends[1], &ends[2], &ends[3]))
                << value << " at end " << slot;
        }
    }
    const float largest = std::numeric_limits<float>::max();
    float x1 = -largest, y1 = 10.0f, x2 = largest, y2 = 10.0f;
    ASSERT_TRUE(clipLineToScreen(&x1, &y1, &x2, &y2));
    EXPECT_EQ(x1, 0.0f);
    EXPECT_EQ(x2, 63.0f);
    EXPECT_EQ(y1, 10.0f);
}

} // namespace
