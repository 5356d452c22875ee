#include "raster/pixelBuffers.h"
#include "raster/pixelOps.h"
#include "util/numeric.h"

// Saturating add, always into 4-byte pixels.
void plotAdd(uint32_t x, uint32_t y, Colour colour) {
    if (!insideDrawingArea(x, y)) {
        return;
    }
    uint8_t* pixel = pixelAddress<backPixels, 4>(x, y);
    for (int channel = 0; channel < 3; ++channel) {
        const int32_t c = static_cast<int32_t>((colour >> (8 * channel)) & 255);
        pixel[channel] = static_cast<uint8_t>(minInt(pixel[channel] + c, 255));
    }
}
