// Where the scene's lines and dots go: straight onto the back buffer, or, on a thread that
// grows cells for the frame loop, into a list of screen-space commands that is replayed later
// in cell order. The blend rounds, so only the single-threaded order gives the same bytes:
// the commands keep the end points exactly as the drawing would have received them.
#pragma once

#include "record/colour.h"

#include <cstdint>
#include <vector>

struct SceneCommand {
    float x1; // a dot is drawn at (x1, y1) alone
    float y1;
    float x2;
    float y2;
    Colour colour;
    int32_t dot;
};

typedef std::vector<SceneCommand> SceneCommandList;

struct DrawnTiles;

// The calling thread's list from now on; null (every thread's default) draws directly. The
// tiles the commands will draw on are marked in tiles as they are recorded (null: nowhere, for
// a list that is only counted), so that the thread that replays them has no marking to do.
void recordSceneInto(SceneCommandList* list, DrawnTiles* tiles);

// drawLineScreen, or its record.
void sceneLine(float x1, float y1, float x2, float y2, Colour colour);
// plotScreen at the truncated position, or its record.
void sceneDot(float x, float y, Colour colour);

// Draws a list's commands in order, as they would have been drawn directly; their tiles were
// marked as they were recorded.
void replaySceneCommands(const SceneCommandList& list);
