#include "scene/drawnArea.h"
#include "raster/clipWindow.h"
#include "scene/sceneCommands.h"
#include "support/memoryDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Every pixel the scene's lines and dots change must lie in its row's span: the frame loop
// clears nothing else. Lines of every length and slope, off the screen, huge and tiny.
TEST(DrawnArea, HoldsEveryPixelTheSceneDraws) {
    for (PixelMode mode : {pixelModeTrueColour24, pixelModeTrueColour32}) {
        MemoryDisplay memory;
        openMemoryDisplay(&memory, 197, 143, mode);
        forgetDrawnArea();
        ASSERT_TRUE(drawnAreaKnown());
        uint32_t state = 99;
        const auto next = [&state](float scale) {
            state = state * 1664525u + 1013904223u;
            return (static_cast<float>(state >> 8) / 16777216.0f - 0.25f) * scale;
        };
        for (int i = 0; i < 3000; ++i) {
            const float scale = i % 10 == 0 ? 1e6f : i % 3 == 0 ? 3.0f : 300.0f;
            const float x = next(300.0f);
            const float y = next(200.0f);
            if (i % 7 == 0) {
                sceneDot(x, y, 0x102030);
            } else {
                sceneLine(x, y, x + next(scale), y + next(scale), 0x405060);
            }
        }
        ASSERT_TRUE(drawnAreaKnown());
        int64_t drawn = 0;
        for (int32_t y = 0; y < 143; ++y) {
            int32_t first;
            int32_t last;
            drawnRowSpan(y, &first, &last);
            for (int32_t x = 0; x < 197; ++x) {
                if (colourAt(memory, x, y) != 0) {
                    ++drawn;
                    ASSERT_TRUE(x >= first && x <= last) << x << "," << y << " mode " << mode;
                }
            }
        }
        EXPECT_GT(drawn, 5000) << "the lines drew next to nothing";
    }
}

TEST(DrawnArea, UnknownAfterNotANumberOrAClipWindow) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 64, 48, pixelModeTrueColour32);
    forgetDrawnArea();
    sceneLine(1.0f, 1.0f, std::numeric_limits<float>::quiet_NaN(), 5.0f, 0xFFFFFF);
    EXPECT_FALSE(drawnAreaKnown());
    forgetDrawnArea();
    EXPECT_TRUE(drawnAreaKnown());
    setClipWindow(8, 8, 40, 40);
    sceneLine(1.0f, 1.0f, 5.0f, 5.0f, 0xFFFFFF);
    EXPECT_FALSE(drawnAreaKnown());
    clearClipWindow();
    forgetDrawnArea();
    openMemoryDisplay(&memory, 65, 48, pixelModeTrueColour32);
    EXPECT_FALSE(drawnAreaKnown()) << "the screen changed size";
}

} // namespace
