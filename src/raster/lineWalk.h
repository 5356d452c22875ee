// The one stepping scheme of every line: single-precision positions accumulated step by step,
// never recomputed from the start; the walk starts at the end with the smaller x + y and
// includes both ends of the major axis.
#pragma once

#include "raster/lines.h"

#include <utility>

// Below this squared length a line is one pixel, at its first end.
const double tinyLineThreshold = 0.1;

// plot(x, y) receives float positions. walkAlongX takes over walks along x: it receives the
// start, the end's x and the slope (true-colour direct stores walk those in bytes).
template <typename Plot, typename AlongX>
inline void walkLine(float x1, float y1, float x2, float y2, Plot plot, AlongX walkAlongX) {
    float dx = x2 - x1;
    float dy = y2 - y1;
    if (dx * dx + dy * dy < tinyLineThreshold) {
        plot(x1, y1);
        return;
    }
    if (dx + dy < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
        dx = -dx;
        dy = -dy;
    }
    if (dy < dx) {
        walkAlongX(x1, y1, x2, dy / dx);
    } else {
        const float slope = dx / dy;
        while (y1 <= y2) {
            plot(x1, y1);
            x1 += slope;
            y1 += 1;
        }
    }
}

template <typename Plot>
inline void walkAlongXByPixels(float x1, float y1, float x2, float slope, Plot plot) {
    while (x1 <= x2) {
        plot(x1, y1);
        y1 += slope;
        x1 += 1;
    }
}
