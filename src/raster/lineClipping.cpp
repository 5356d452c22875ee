#include "raster/lines.h"
#include "record/displayState.h"

#include <cmath>

namespace {

bool allFinite(float a, float b, float c, float d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// In exact arithmetic the clipped ends lie inside the area. In float a nearly degenerate line
// (a huge dx over a tiny dy) can throw an end far outside; walking from there would take
// billions of steps, or never end once a step of one no longer moves the position. Such ends
// are rejected; the small overshoots of ordinary rounding are walked as they are.
bool nearTheArea(float v, float limit) {
    return v >= -limit && v <= 2 * limit;
}

} // namespace

// Edges in the order left, right, top, bottom, all with the deltas of the unclipped line; each
// move slides an end along the line toward the other end. Ends exactly on an edge are inside.
bool clipLineToScreen(float* x1, float* y1, float* x2, float* y2) {
    // Non-finite ends, or ends so far out that the arithmetic overflows, would leave NaN
    // positions that no test below rejects.
    if (!allFinite(*x1, *y1, *x2, *y2)) {
        return false;
    }
    const float xMax = static_cast<float>(display.screenWidth - 1);
    const float yMax = static_cast<float>(display.screenHeight - 1);
    const float dx = *x2 - *x1;
    const float dy = *y2 - *y1;

    if (*x1 < 0) {
        if (*x2 < 0) {
            return false;
        }
        *y1 = *y1 - dy * *x1 / dx;
        *x1 = 0;
    } else if (*x2 < 0) {
        *y2 = *y2 - dy * *x2 / dx;
        *x2 = 0;
    }

    if (*x1 > xMax) {
        if (*x2 > xMax) {
            return false;
        }
        *y1 = *y1 - (*x1 - xMax) * dy / dx;
        *x1 = xMax;
    } else if (*x2 > xMax) {
        *y2 = *y2 - (*x2 - xMax) * dy / dx;
        *x2 = xMax;
    }

    if (*y1 < 0) {
        if (*y2 < 0) {
            return false;
        }
        *x1 = *x1 - dx * *y1 / dy;
        *y1 = 0;
    } else if (*y2 < 0) {
        *x2 = *x2 - dx * *y2 / dy;
        *y2 = 0;
    }

    if (*y1 > yMax) {
        if (*y2 > yMax) {
            return false;
        }
        *x1 = *x1 - (*y1 - yMax) * dx / dy;
        *y1 = yMax;
    } else if (*y2 > yMax) {
        *x2 = *x2 - (*y2 - yMax) * dx / dy;
        *y2 = yMax;
    }

    const float width = static_cast<float>(display.screenWidth);
    const float height = static_cast<float>(display.screenHeight);
    return allFinite(*x1, *y1, *x2, *y2) && nearTheArea(*x1, width) && nearTheArea(*x2, width) &&
           nearTheArea(*y1, height) && nearTheArea(*y2, height);
}
