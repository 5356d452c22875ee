#include "scene/sceneCommands.h"

#include "raster/drawnTiles.h"

#include "raster/lines.h"
#include "raster/pixelOps.h"

namespace {

thread_local SceneCommandList* recording = nullptr;
thread_local DrawnTiles* recordingTiles = nullptr;

inline void drawCommand(const SceneCommand& command) {
    if (command.dot != 0) {
        plotScreen(toPixelCoordinate(command.x1), toPixelCoordinate(command.y1), command.colour);
    } else {
        drawLineScreen(command.x1, command.y1, command.x2, command.y2, command.colour);
    }
}

// A dot is noted as a line from its point to itself.
inline void note(const SceneCommand& command, DrawnTiles* tiles) {
    const float x2 = command.dot != 0 ? command.x1 : command.x2;
    const float y2 = command.dot != 0 ? command.y1 : command.y2;
    if (tiles != nullptr) {
        noteDrawnLineIn(tiles, command.x1, command.y1, x2, y2);
    } else {
        noteDrawnLine(command.x1, command.y1, x2, y2);
    }
}

inline void take(const SceneCommand& command) {
    if (recording != nullptr) {
        recording->push_back(command);
        if (recordingTiles != nullptr) {
            note(command, recordingTiles);
        }
    } else {
        note(command, nullptr);
        drawCommand(command);
    }
}

} // namespace

void recordSceneInto(SceneCommandList* list, DrawnTiles* tiles) {
    recording = list;
    recordingTiles = list != nullptr ? tiles : nullptr;
}

void sceneLine(float x1, float y1, float x2, float y2, Colour colour) {
    take({x1, y1, x2, y2, colour, 0});
}

void sceneDot(float x, float y, Colour colour) {
    take({x, y, 0.0f, 0.0f, colour, 1});
}

void replaySceneCommands(const SceneCommandList& list) {
    for (const SceneCommand& command : list) {
        drawCommand(command);
    }
}
