// The blended line of the scene and the two unclipped slot lines of the library.
#include "raster/lines.h"

#include <cmath>

namespace {

// Beyond this magnitude a step of one no longer moves a float position, and a walk would never
// end; such lines (and non-finite ones) are not drawn by the unclipped variants.
const float largestSteppablePosition = 16777216.0f;

bool steppable(float v) {
    return std::fabs(v) < largestSteppablePosition;
}

bool steppableLine(float x1, float y1, float x2, float y2) {
    return steppable(x1) && steppable(y1) && steppable(x2) && steppable(y2);
}

} // namespace

void drawLineScreen(float x1, float y1, float x2, float y2, Colour colour) {
    if (!clipLineToScreen(&x1, &y1, &x2, &y2)) {
        return;
    }
    stepLine(x1, y1, x2, y2, &plotScreen, colour);
}

void drawLineFront(float x1, float y1, float x2, float y2, Colour colour) {
    if (!steppableLine(x1, y1, x2, y2)) {
        return;
    }
    stepLine(x1, y1, x2, y2, &pixelOps.plotFront, colour & 0xFF);
}

void drawLineLayer(float x1, float y1, float x2, float y2, Colour colour) {
    if (!steppableLine(x1, y1, x2, y2)) {
        return;
    }
    stepLine(x1, y1, x2, y2, &pixelOps.plotLayer, colour & 0xFF);
}
