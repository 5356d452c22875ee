// The threads that record the scene mark the tiles the commands will draw on as they record
// them, each in a record of its own that the drawing thread joins in.
#include "scene/sceneCommands.h"
#include "raster/drawnTiles.h"
#include "support/memoryDisplay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

bool tileMarked(int32_t x, int32_t y) {
    int32_t first = x / drawnTileWidth;
    int32_t end = 0;
    return nextDrawnRun(y / drawnTileHeight, false, &first, &end) && first == x / drawnTileWidth;
}

// A thread that records the scene marks its own record; joined in, its tiles count as the
// frame's. A part that lost track of its area, or was started for another screen, leaves the
// frame's area unknown, so that the frame loop clears the whole buffer.
TEST(SceneCommands, RecordedPartsJoinTheFramesTiles) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, 200, 100, pixelModeTrueColour32);
    forgetDrawnArea();
    DrawnTiles part;
    startDrawnTiles(&part);
    SceneCommandList list;
    recordSceneInto(&list, &part);
    sceneLine(150.0f, 80.0f, 190.0f, 80.0f, 0x808080);
    sceneDot(20.0f, 10.0f, 0x808080);
    recordSceneInto(nullptr, nullptr);
    EXPECT_FALSE(tileMarked(170, 80)) << "recording marks the part, not the frame";
    replaySceneCommands(list);
    EXPECT_FALSE(tileMarked(20, 10)) << "the replay marks nothing";
    joinDrawnTiles(part);
    EXPECT_TRUE(drawnAreaKnown());
    EXPECT_TRUE(tileMarked(170, 80));
    EXPECT_TRUE(tileMarked(20, 10));
    EXPECT_FALSE(tileMarked(100, 50));

    DrawnTiles lost;
    startDrawnTiles(&lost);
    noteDrawnLineIn(&lost, 1.0f, 1.0f, std::numeric_limits<float>::quiet_NaN(), 1.0f);
    joinDrawnTiles(lost);
    EXPECT_FALSE(drawnAreaKnown());

    forgetDrawnArea();
    DrawnTiles otherScreen;
    openMemoryDisplay(&memory, 120, 100, pixelModeTrueColour32);
    startDrawnTiles(&otherScreen);
    openMemoryDisplay(&memory, 200, 100, pixelModeTrueColour32);
    forgetDrawnArea();
    joinDrawnTiles(otherScreen);
    EXPECT_FALSE(drawnAreaKnown());
}

} // namespace
