// Thin lines between float end points, clipped to the screen or not, drawn pixel by pixel
// with single-precision positions accumulated step by step.
#pragma once

#include "raster/pixelOps.h"
#include "record/colour.h"
#include "util/numeric.h"

#include <cstdint>

// Screen-blended as plotScreen blends (its own true-colour blends stepped without the slot, one
// call a line); clipped.
void drawLineScreen(float x1, float y1, float x2, float y2, Colour colour);
// Stored straight into the back buffer in the current mode; clipped.
void drawLineDirect(float x1, float y1, float x2, float y2, Colour colour);
// The low byte through the plotFront / plotLayer slots; not clipped.
void drawLineFront(float x1, float y1, float x2, float y2, Colour colour);
void drawLineLayer(float x1, float y1, float x2, float y2, Colour colour);

// Slides the ends along the line into [0, screenWidth - 1] x [0, screenHeight - 1], up to the
// rounding of the last slide: each end truncates onto a pixel of the screen, x in
// (-1, screenWidth) and y in (-1, screenHeight). Returns false when nothing of the line is left
// to draw (or the line is too degenerate for its ends to be found on the screen).
bool clipLineToScreen(float* x1, float* y1, float* x2, float* y2);

// A line's ends as given and as clipLineToScreen leaves them, for the scene's lines, which are
// both noted and drawn and are clipped once for the two.
struct ClippedLine {
    float x1, y1, x2, y2;     // as given
    float cx1, cy1, cx2, cy2; // clipped, when onScreen
    bool onScreen;
};
ClippedLine clipLine(float x1, float y1, float x2, float y2);

// drawLineScreen between ends that clipLineToScreen has kept.
void drawClippedLineScreen(const ClippedLine& line, Colour colour);

// Walks the line and plots each pixel through the slot, read afresh for every pixel (the
// screen-blend slot rebinds itself on its first call).
void stepLine(float x1, float y1, float x2, float y2, PlotOperation const* slot, Colour colour);

// How far a position stepLine reaches between these ends may lie from the exact line, along
// either axis, in pixels: the steps' accumulated rounding, doubled, and half a pixel.
double lineStepStray(float x1, float y1, float x2, float y2);

// Where the one stepping scheme of every line starts: single-precision positions accumulated
// step by step from the end with the smaller x + y, both ends of the major axis included. A
// line shorter than about a third of a pixel is one pixel at its first end. Inline: every line
// takes it.
enum LineWalkAxis { lineWalkPoint, lineWalkAlongX, lineWalkAlongY };
struct LineWalkStart {
    LineWalkAxis axis;
    float x; // the start
    float y;
    float end;   // the major axis's last position
    float slope; // the minor axis's step per pixel along the major one
};
inline LineWalkStart startLineWalk(float x1, float y1, float x2, float y2) {
    float dx = x2 - x1;
    float dy = y2 - y1;
    if (dx * dx + dy * dy < 0.1) {
        return {lineWalkPoint, x1, y1, x1, 0.0f};
    }
    if (dx + dy < 0) {
        return dy > dx ? LineWalkStart{lineWalkAlongX, x2, y2, x1, dy / dx}
                       : LineWalkStart{lineWalkAlongY, x2, y2, y1, dx / dy};
    }
    return dy < dx ? LineWalkStart{lineWalkAlongX, x1, y1, x2, dy / dx}
                   : LineWalkStart{lineWalkAlongY, x1, y1, y2, dx / dy};
}

// Truncation toward zero, passed on as unsigned: a negative position becomes a huge value
// that the plots' bounds tests reject. Inline: every stepped pixel takes it twice.
inline uint32_t toPixelCoordinate(double v) {
    if (v >= 2147483648.0) {
        if (v < 4294967296.0) {
            return static_cast<uint32_t>(static_cast<int32_t>(v - 2147483648.0)) + 0x80000000u;
        }
    } else if (v > -2147483649.0) {
        return static_cast<uint32_t>(truncateInRange(v));
    }
    // NaN or beyond 32 bits: a value no drawing area contains.
    return 0x80000000u;
}
