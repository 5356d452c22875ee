#include "raster/areaPrimitives.h"

#include "record/displayState.h"

#include <utility>

namespace {

// from + (to - from) * step / steps, truncated toward zero, for 0 <= step < steps. Exact for
// every 32-bit input: the product is formed on 64-bit magnitudes, and the result lies between
// from and to.
int32_t interpolate(int32_t from, int32_t to, int64_t step, int64_t steps) {
    const int64_t delta = static_cast<int64_t>(to) - from;
    const uint64_t magnitude =
        delta < 0 ? static_cast<uint64_t>(-delta) : static_cast<uint64_t>(delta);
    const int64_t offset = static_cast<int64_t>(magnitude * static_cast<uint64_t>(step) /
                                                static_cast<uint64_t>(steps));
    return static_cast<int32_t>(from + (delta < 0 ? -offset : offset));
}

} // namespace

void fillTriangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  Colour colour) {
    if (y1 <= y0 && y1 <= y2) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    } else if (y2 <= y0) {
        std::swap(x0, x2);
        std::swap(y0, y2);
    }
    if (y2 <= y1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int64_t height = display.screenHeight;
    const int64_t longSide = static_cast<int64_t>(y2) - y0;
    int64_t i = y0 > 0 ? y0 : 0;
    for (; i < y1 && i < height; ++i) {
        drawSpan(interpolate(x0, x2, i - y0, longSide),
                 interpolate(x0, x1, i - y0, static_cast<int64_t>(y1) - y0),
                 static_cast<int32_t>(i), colour);
    }
    for (; i < y2 && i < height; ++i) {
        drawSpan(interpolate(x0, x2, i - y0, longSide),
                 interpolate(x1, x2, i - y1, static_cast<int64_t>(y2) - y1),
                 static_cast<int32_t>(i), colour);
    }
}
