#include "scene/sceneCommands.h"

#include "raster/drawnTiles.h"
#include "raster/lines.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"

namespace {

thread_local SceneCommandList* recording = nullptr;
thread_local DrawnTiles* recordingTiles = nullptr;

void noteTiles(float x1, float y1, float x2, float y2) {
    if (recording == nullptr) {
        noteDrawnLine(x1, y1, x2, y2);
    } else if (recordingTiles != nullptr) {
        noteDrawnLineIn(recordingTiles, x1, y1, x2, y2);
    }
}

void noteClippedTiles(const ClippedLine& line) {
    if (recording == nullptr) {
        noteClippedLine(line);
    } else if (recordingTiles != nullptr) {
        noteClippedLineIn(recordingTiles, line);
    }
}

} // namespace

void recordSceneInto(SceneCommandList* list, DrawnTiles* tiles) {
    recording = list;
    recordingTiles = list != nullptr ? tiles : nullptr;
}

// Noted and drawn from one clipping.
void sceneLine(float x1, float y1, float x2, float y2, Colour colour) {
    const ClippedLine line = clipLine(x1, y1, x2, y2);
    noteClippedTiles(line);
    if (!line.onScreen) {
        return;
    }
    if (recording == nullptr) {
        drawClippedLineScreen(line, colour);
        return;
    }
    recording->push_back(settleClippedScreenLine(line, colour));
}

// A dot is noted as a line from its point to itself.
void sceneDot(float x, float y, Colour colour) {
    noteTiles(x, y, x, y);
    if (recording == nullptr) {
        plotScreen(toPixelCoordinate(x), toPixelCoordinate(y), colour);
        return;
    }
    recording->push_back(settleScreenDot(x, y, colour));
}

void replaySceneCommands(const SceneCommandList& list) {
    drawScreenWalksInRows(list.data(), list.size(), 0, display.screenHeight);
}

int64_t replaySceneCommandsInRows(const SceneCommandList& list, int32_t top, int32_t bottom) {
    return drawScreenWalksInRows(list.data(), list.size(), top, bottom);
}
