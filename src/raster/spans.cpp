#include "raster/areaPrimitives.h"

#include "raster/pixelBuffers.h"
#include "raster/pixelOps.h"
#include "util/numeric.h"

#include <cstring>

void drawSpan(int32_t xa, int32_t xb, int32_t y, Colour colour) {
    // Ends cut to [0, screenWidth], so that a span can reach the last column.
    const int32_t width = display.screenWidth;
    const int32_t left = minInt(atLeastZeroInt(minInt(xa, xb)), width);
    const int32_t right = minInt(atLeastZeroInt(maxInt(xa, xb)), width);
    // A row outside the area draws nothing in any mode, the 8-bit fill included.
    if (left >= right || static_cast<uint32_t>(y) >= static_cast<uint32_t>(display.screenHeight)) {
        return;
    }
    if (display.pixelMode == pixelModePalettized) {
        std::memset(
            pixelAddress<backPixels, 1>(static_cast<uint32_t>(left), static_cast<uint32_t>(y)),
            static_cast<uint8_t>(colour), static_cast<size_t>(right - left));
        return;
    }
    const PlotOperation plot = pixelOps.plot;
    for (int32_t c = left; c < right; ++c) {
        plot(static_cast<uint32_t>(c), static_cast<uint32_t>(y), colour);
    }
}
