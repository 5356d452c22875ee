// Screen-blended lines and dots settled ahead of their drawing. The thread that records the
// scene clips each line and resolves its walk (start, end along the major axis, slope), so the
// threads that draw it later only step; each of those draws rows of its own. Within its rows a
// walk plots exactly the pixels the whole walk plots there, from the same start with the same
// steps and rounding (the steps before the rows are taken, not plotted), so the bands together
// give every pixel the blends of one thread, in the same order.
#pragma once

#include "raster/lines.h"
#include "record/colour.h"

#include <cstddef>
#include <cstdint>

enum ScreenWalkShape : int32_t {
    screenWalkDot,   // plotScreen at the truncated (x, y)
    screenWalkPoint, // a line too short to walk: its one pixel at the start
    screenWalkAlongX,
    screenWalkAlongY
};

struct ScreenWalk {
    float x; // the start
    float y;
    float end;   // the last position along the major axis
    float slope; // the minor axis's step per pixel along the major one
    Colour colour;
    ScreenWalkShape shape;
    int32_t firstRow; // no position of the walk truncates to a row outside these
    int32_t lastRow;
};

// drawLineScreen's line, clipped to the screen as it is now and resolved into its walk. False
// when nothing of it is drawn.
bool settleScreenLine(float x1, float y1, float x2, float y2, Colour colour, ScreenWalk* walk);
// The same for a line clipped already and on the screen.
ScreenWalk settleClippedScreenLine(const ClippedLine& line, Colour colour);

// plotScreen at the truncated position.
ScreenWalk settleScreenDot(float x, float y, Colour colour);

// Draws the walks in order, as drawLineScreen and plotScreen would have, but only into rows
// top to bottom - 1 of the back buffer. Returns the work done: positions stepped, with each
// plotted one counted twice.
int64_t drawScreenWalksInRows(const ScreenWalk* walks, size_t count, int32_t top, int32_t bottom);
