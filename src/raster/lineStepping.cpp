#include "raster/lineWalk.h"
#include "raster/lines.h"

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

void stepLine(float x1, float y1, float x2, float y2, PlotOperation const* slot, Colour colour) {
    const auto plot = [slot, colour](float x, float y) {
        (*slot)(toPixelCoordinate(x), toPixelCoordinate(y), colour);
    };
    walkLine(x1, y1, x2, y2, plot, [plot](float x, float y, float end, float slope) {
        walkAlongXByPixels(x, y, end, slope, plot);
    });
}
