#include "raster/circles.h"

#include "raster/lines.h"
#include "raster/pixelBuffers.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "util/numeric.h"

#include <cmath>
#include <cstring>

namespace {

inline void plotAt(PlotOperation plot, float x, float y, Colour colour) {
    plot(toPixelCoordinate(x), toPixelCoordinate(y), colour);
}

} // namespace

// Circles this large, or this far out, are beyond what float positions can place a pixel
// apart; they are not drawn, which also keeps every step count small.
static const float largestCircleCoordinate = 16777216.0f;

void drawCircle(float cx, float cy, float r, Colour colour) {
    if (!(std::fabs(cx) < largestCircleCoordinate && std::fabs(cy) < largestCircleCoordinate &&
          std::fabs(r) < largestCircleCoordinate)) {
        return;
    }
    const float limit = static_cast<float>(minReal(r / std::sqrt(2.0) + 1, r));
    // Beyond this step every one of the eight points lies outside the area, and so does every
    // later one: stopping there changes no pixel and keeps huge radii cheap.
    const double lastUsefulStep =
        std::fmax(std::fabs(static_cast<double>(cx)) + display.screenWidth,
                  std::fabs(static_cast<double>(cy)) + display.screenHeight) +
        2;
    if (!std::isfinite(lastUsefulStep)) {
        return;
    }
    const PlotOperation plot = pixelOps.plot;
    const float rr = r * r;
    for (int64_t g = 0; limit > static_cast<float>(g) && g <= lastUsefulStep; ++g) {
        const float b = static_cast<float>(std::sqrt(rr - static_cast<float>(g * g)));
        const float fg = static_cast<float>(g);
        plotAt(plot, cx + fg, cy + b, colour);
        plotAt(plot, cx + fg, cy - b, colour);
        plotAt(plot, cx - fg, cy + b, colour);
        plotAt(plot, cx - fg, cy - b, colour);
        plotAt(plot, cx + b, cy + fg, colour);
        plotAt(plot, cx + b, cy - fg, colour);
        plotAt(plot, cx - b, cy + fg, colour);
        plotAt(plot, cx - b, cy - fg, colour);
    }
}

void fillCircle(float cx, float cy, float r, Colour colour) {
    const double top = std::ceil(static_cast<double>(cy) - r);
    const double bottom = std::floor(static_cast<double>(cy) + r);
    const int32_t width = display.screenWidth;
    const double first = maxReal(top, 0.0);
    const double last = minReal(bottom, display.screenHeight - 1.0);
    // Also false for a NaN centre or radius.
    if (!(first <= last)) {
        return;
    }
    const float rr = r * r;
    for (int32_t i = static_cast<int32_t>(first); i <= static_cast<int32_t>(last); ++i) {
        const float half = static_cast<float>(std::sqrt(rr - square(static_cast<float>(i) - cy)));
        const float leftEnd = cx - half;
        const float rightEnd = cx + half;
        // Truncation toward zero: a right end above -1 lands on column 0 or beyond. A row
        // that rounding puts just outside the disc has no half-width and draws nothing.
        if (!(rightEnd > -1.0f) || !(leftEnd < static_cast<float>(width))) {
            continue;
        }
        const int32_t left = leftEnd <= 0.0f ? 0 : static_cast<int32_t>(leftEnd);
        const int32_t right =
            rightEnd >= static_cast<float>(width - 1) ? width - 1 : static_cast<int32_t>(rightEnd);
        if (display.pixelMode == pixelModePalettized) {
            std::memset(
                pixelAddress<backPixels, 1>(static_cast<uint32_t>(left), static_cast<uint32_t>(i)),
                static_cast<uint8_t>(colour), static_cast<size_t>(right - left + 1));
        } else {
            for (int32_t x = left; x <= right; ++x) {
                pixelOps.plot(static_cast<uint32_t>(x), static_cast<uint32_t>(i), colour);
            }
        }
    }
}
