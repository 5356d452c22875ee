#include "raster/drawnTiles.h"
#include "raster/clipWindow.h"
#include "raster/lines.h"
#include "raster/pixelOps.h"
#include "support/memoryDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// What the scene does with each of its lines and dots: note it, then draw it.
void sceneLine(float x1, float y1, float x2, float y2, Colour colour) {
    noteDrawnLine(x1, y1, x2, y2);
    drawLineScreen(x1, y1, x2, y2, colour);
}

void sceneDot(float x, float y, Colour colour) {
    noteDrawnLine(x, y, x, y);
    plotScreen(toPixelCoordinate(x), toPixelCoordinate(y), colour);
}

bool tileMarked(int32_t x, int32_t y, bool withPrevious = false) {
    int32_t first = x / drawnTileWidth;
    int32_t end = 0;
    return nextDrawnRun(y / drawnTileHeight, withPrevious, &first, &end) &&
           first == x / drawnTileWidth;
}

// Every pixel the scene's lines and dots change must lie in a marked tile: the display clears
// nothing else. Lines of every length and slope, off the screen, huge and tiny.
TEST(DrawnTiles, HoldsEveryPixelTheSceneDraws) {
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
            for (int32_t x = 0; x < 197; ++x) {
                if (colourAt(memory, x, y) != 0) {
                    ++drawn;
                    ASSERT_TRUE(tileMarked(x, y)) << x << "," << y << " mode " << mode;
                }
            }
        }
        EXPECT_GT(drawn, 5000) << "the lines drew next to nothing";
    }
}

TEST(DrawnTiles, UnknownAfterNotANumberOrAClipWindow) {
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

// Long lines at a large size, from ends far off the screen: the tiles along each path must
// hold every pixel its stepping reaches, however far the rounding has carried it; and a long
// line marks its path, not its bounding box.
TEST(DrawnTiles, TilesHoldLongLinesAtLargeSizes) {
    const int32_t width = 2500;
    const int32_t height = 1300;
    for (PixelMode mode : {pixelModeTrueColour24, pixelModeTrueColour32}) {
        MemoryDisplay memory;
        openMemoryDisplay(&memory, width, height, mode);
        forgetDrawnArea();
        sceneLine(0.5f, 0.25f, width - 0.5f, height - 1.0f, 0x808080);
        ASSERT_TRUE(drawnAreaKnown());
        EXPECT_LT(drawnShare(), 0.03) << "a diagonal marks its path";
        EXPECT_GT(drawnShare(), 0.005);
        uint32_t state = 7;
        const auto next = [&state](float scale) {
            state = state * 1664525u + 1013904223u;
            return (static_cast<float>(state >> 8) / 16777216.0f - 0.3f) * scale;
        };
        for (int i = 0; i < 400; ++i) {
            const float scale = i % 4 == 0 ? 1e5f : 4000.0f;
            sceneLine(next(3000.0f), next(1600.0f), next(scale), next(scale), 0x202020);
        }
        int64_t drawn = 0;
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                if (colourAt(memory, x, y) != 0) {
                    ++drawn;
                    ASSERT_TRUE(tileMarked(x, y)) << x << "," << y << " mode " << mode;
                }
            }
        }
        EXPECT_GT(drawn, 200000) << "the lines drew next to nothing";
        EXPECT_LT(drawnShare(), 1.0);
    }
}

// Lines along a row or a column at fractional positions: the rounding of the margin around
// an end must not lose the one band or tile column such a line lies in.
TEST(DrawnTiles, TilesHoldLinesAlongRowsAndColumns) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 800, 600, pixelModeTrueColour32);
    forgetDrawnArea();
    sceneLine(290.226715f, 127.887802f, 271.576508f, 127.887802f, 0x404040);
    for (int i = 0; i < 4000; ++i) {
        const float along = static_cast<float>(i * 37 % 760) + static_cast<float>(i) * 0.0173f;
        const float at = static_cast<float>(i) * 0.1371f - 0.9f;
        sceneLine(along, at, along + 6.3f, at, 0x404040);
        sceneLine(at * 1.3f, along * 0.7f, at * 1.3f, along * 0.7f + 5.1f, 0x404040);
    }
    int64_t drawn = 0;
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) {
            if (colourAt(memory, x, y) != 0) {
                ++drawn;
                ASSERT_TRUE(tileMarked(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(drawn, 20000);
}

// The frame before's tiles are what its present left on the screen: they stay on record, for
// the screen of the same size only.
TEST(DrawnTiles, KeepsThePreviousFramesTiles) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 300, 200, pixelModeTrueColour32);
    forgetDrawnArea();
    EXPECT_FALSE(previousDrawnAreaKnown()) << "no frame before the first";
    sceneLine(5.0f, 5.0f, 40.0f, 30.0f, 0xFFFFFF);
    sceneDot(290.0f, 190.0f, 0xFFFFFF);
    forgetDrawnArea();
    sceneLine(200.0f, 100.0f, 250.0f, 120.0f, 0xFFFFFF);
    ASSERT_TRUE(previousDrawnAreaKnown());
    EXPECT_TRUE(tileMarked(20, 17, true));
    EXPECT_FALSE(tileMarked(20, 17));
    EXPECT_TRUE(tileMarked(290, 190, true));
    EXPECT_TRUE(tileMarked(225, 110));
    EXPECT_FALSE(tileMarked(100, 17, true)) << "nothing near it in either frame";
    EXPECT_FALSE(tileMarked(5, 190, true)) << "a line marks its path, not its box";
    sceneLine(1.0f, std::numeric_limits<float>::quiet_NaN(), 5.0f, 5.0f, 0xFFFFFF);
    forgetDrawnArea();
    EXPECT_FALSE(previousDrawnAreaKnown()) << "the frame before was not known";
    forgetDrawnArea();
    EXPECT_TRUE(previousDrawnAreaKnown());
    openMemoryDisplay(&memory, 300, 201, pixelModeTrueColour32);
    EXPECT_FALSE(previousDrawnAreaKnown()) << "the screen changed size";
}

// Before the first frame's record there is no previous one to join, on a screen of more than
// one band of tiles as on any other (an 8x8 screen's first frames); and a record of another
// screen is never joined, whatever it marked.
TEST(DrawnTiles, JoinsOnlyAPreviousRecordOfTheSameScreen) {
    forgetDrawnTiles();
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 8, 8, pixelModeTrueColour32);
    forgetDrawnArea();
    EXPECT_FALSE(previousDrawnAreaKnown());
    sceneLine(1.0f, 6.0f, 6.0f, 6.0f, 0x808080);
    EXPECT_TRUE(tileMarked(3, 6));
    EXPECT_TRUE(tileMarked(3, 6, true)) << "this frame's tiles, with no frame before";
    EXPECT_FALSE(tileMarked(3, 1, true));
    int32_t first = 0;
    int32_t end = 0;
    EXPECT_FALSE(nextDrawnRun(2, true, &first, &end)) << "no band below the screen";

    openMemoryDisplay(&memory, 64, 8, pixelModeTrueColour32);
    forgetDrawnArea();
    sceneDot(2.0f, 1.0f, 0x808080);
    sceneDot(2.0f, 6.0f, 0x808080);
    openMemoryDisplay(&memory, 8, 8, pixelModeTrueColour32);
    forgetDrawnArea();
    EXPECT_FALSE(previousDrawnAreaKnown());
    EXPECT_FALSE(tileMarked(2, 1, true)) << "the tiles of a wider screen";
    EXPECT_FALSE(tileMarked(2, 6, true));
    forgetDrawnTiles();
}

// The clipped ends a line's tiles are marked from lie on the screen, however far out the line
// began: a line from far beyond a corner marks only tiles it draws on.
TEST(DrawnTiles, FarLinesMarkTheirPathOnTheScreen) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 11, 21, pixelModeTrueColour32);
    forgetDrawnArea();
    sceneLine(-0.0f, 27.4549866f, -2.1474839e+09f, -2.1474839e+09f, 0xFFFFFF);
    ASSERT_TRUE(drawnAreaKnown());
    for (int32_t y = 0; y < 21; ++y) {
        for (int32_t x = 0; x < 11; ++x) {
            if (colourAt(memory, x, y) != 0) {
                EXPECT_TRUE(tileMarked(x, y)) << x << "," << y;
            }
        }
    }
}

// The scene clips each line once for noting and drawing it: the same tiles and pixels as each
// clipping for itself, for ordinary, far, degenerate and non-finite ends alike.
TEST(DrawnTiles, OneClippingNotesAndDrawsAsTwo) {
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -3e38f,
                         1e9f,
                         -0.5f,
                         40.99f};
    // Each pass draws the same lines and starts a record every 50 of them.
    const auto fly = [&odd](bool once, std::vector<DrawnTiles>* records) {
        MemoryDisplay memory;
        openMemoryDisplay(&memory, 41, 29, pixelModeTrueColour24);
        DrawnTiles tiles;
        uint32_t state = 7;
        const auto coordinate = [&]() {
            state = state * 1664525u + 1013904223u;
            const uint32_t pick = (state >> 8) % 12;
            return pick < 6 ? odd[pick] : static_cast<float>((state >> 12) % 9000) / 100 - 20;
        };
        for (int i = 0; i < 4000; ++i) {
            if (i % 50 == 0) {
                startDrawnTiles(&tiles);
            }
            const float x1 = coordinate(), y1 = coordinate();
            const float x2 = i % 9 == 0 ? x1 : coordinate(), y2 = i % 9 == 0 ? y1 : coordinate();
            const ClippedLine line = clipLine(x1, y1, x2, y2);
            if (once) {
                noteClippedLineIn(&tiles, line);
                if (line.onScreen) {
                    drawClippedLineScreen(line, 0x203040);
                }
            } else {
                noteDrawnLineIn(&tiles, x1, y1, x2, y2);
                drawLineScreen(x1, y1, x2, y2, 0x203040);
            }
            records->push_back(tiles);
        }
        return memory.back;
    };
    std::vector<DrawnTiles> separate, once;
    const std::vector<uint8_t> separatePixels = fly(false, &separate);
    EXPECT_EQ(fly(true, &once), separatePixels);
    EXPECT_NE(separatePixels, std::vector<uint8_t>(separatePixels.size(), 0)) << "nothing drawn";
    int32_t unknown = 0;
    for (size_t line = 0; line < separate.size(); ++line) {
        ASSERT_EQ(separate[line].known, once[line].known) << "line " << line;
        ASSERT_EQ(separate[line].tiles, once[line].tiles) << "line " << line;
        unknown += separate[line].known ? 0 : 1;
    }
    EXPECT_GT(unknown, 0) << "no line made its record unknown";
}

} // namespace
