#include "raster/lines.h"

#include <utility>

// Below this squared length a line is one pixel.
static const double tinyLineThreshold = 0.1;

uint32_t toPixelCoordinate(double v) {
    if (v >= 2147483648.0) {
        if (v < 4294967296.0) {
            return static_cast<uint32_t>(static_cast<int32_t>(v - 2147483648.0)) + 0x80000000u;
        }
    } else if (v > -2147483649.0) {
        return static_cast<uint32_t>(static_cast<int32_t>(v));
    }
    // NaN or beyond 32 bits: a value no drawing area contains.
    return 0x80000000u;
}

// Positions are accumulated in single precision, never recomputed from the start; the walk
// starts at the end with the smaller x + y and includes both ends of the major axis.
void stepLine(float x1, float y1, float x2, float y2, PlotOperation const* slot, Colour colour) {
    float dx = x2 - x1;
    float dy = y2 - y1;
    if (dx * dx + dy * dy < tinyLineThreshold) {
        (*slot)(toPixelCoordinate(x1), toPixelCoordinate(y1), colour);
        return;
    }
    if (dx + dy < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
        dx = -dx;
        dy = -dy;
    }
    if (dy < dx) {
        const float slope = dy / dx;
        while (x1 <= x2) {
            (*slot)(toPixelCoordinate(x1), toPixelCoordinate(y1), colour);
            y1 += slope;
            x1 += 1;
        }
    } else {
        const float slope = dx / dy;
        while (y1 <= y2) {
            (*slot)(toPixelCoordinate(x1), toPixelCoordinate(y1), colour);
            x1 += slope;
            y1 += 1;
        }
    }
}
