#include "scene/sceneCommands.h"

#include "scene/drawnArea.h"

#include "raster/lines.h"
#include "raster/pixelOps.h"

namespace {

thread_local SceneCommandList* recording = nullptr;

inline void drawCommand(const SceneCommand& command) {
    if (command.dot != 0) {
        noteDrawnLine(command.x1, command.y1, command.x1, command.y1);
        plotScreen(toPixelCoordinate(command.x1), toPixelCoordinate(command.y1), command.colour);
    } else {
        noteDrawnLine(command.x1, command.y1, command.x2, command.y2);
        drawLineScreen(command.x1, command.y1, command.x2, command.y2, command.colour);
    }
}

} // namespace

void recordSceneInto(SceneCommandList* list) {
    recording = list;
}

void sceneLine(float x1, float y1, float x2, float y2, Colour colour) {
    const SceneCommand command = {x1, y1, x2, y2, colour, 0};
    if (recording != nullptr) {
        recording->push_back(command);
    } else {
        drawCommand(command);
    }
}

void sceneDot(float x, float y, Colour colour) {
    const SceneCommand command = {x, y, 0.0f, 0.0f, colour, 1};
    if (recording != nullptr) {
        recording->push_back(command);
    } else {
        drawCommand(command);
    }
}

void replaySceneCommands(const SceneCommandList& list) {
    for (const SceneCommand& command : list) {
        drawCommand(command);
    }
}
