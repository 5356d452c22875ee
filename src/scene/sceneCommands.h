// Where the scene's lines and dots go: straight onto the back buffer, or, on a thread that
// grows cells for the frame loop, into a list of walks that is replayed later in cell order.
// The blend rounds, so only the single-threaded order gives the same bytes: each walk is the
// one the direct drawing would have stepped, clipped as it would have been.
#pragma once

#include "raster/screenWalks.h"
#include "record/colour.h"

#include <cstdint>
#include <vector>

typedef std::vector<ScreenWalk> SceneCommandList;

struct DrawnTiles;

// The calling thread's list from now on; null (every thread's default) draws directly. The
// tiles the commands will draw on are marked in tiles as they are recorded (null: nowhere, for
// a list that is only counted), so that the threads that replay them have no marking to do.
// A recorded line is clipped to the screen as it is then; one that misses it is not kept.
void recordSceneInto(SceneCommandList* list, DrawnTiles* tiles);

// drawLineScreen, or its record.
void sceneLine(float x1, float y1, float x2, float y2, Colour colour);
// plotScreen at the truncated position, or its record.
void sceneDot(float x, float y, Colour colour);

// Draws a list's commands in order, as they would have been drawn directly; their tiles were
// marked as they were recorded.
void replaySceneCommands(const SceneCommandList& list);

// The same within rows top to bottom - 1 alone, for threads that share the screen by rows.
// Returns the work done (drawScreenWalksInRows).
int64_t replaySceneCommandsInRows(const SceneCommandList& list, int32_t top, int32_t bottom);
