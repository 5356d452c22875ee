#include "raster/clipWindow.h"
#include "raster/pixelBuffers.h"
#include "raster/pixelOps.h"
#include "util/numeric.h"

// Saturating add, always into 4-byte pixels.
void plotAdd(uint32_t x, uint32_t y, Colour colour) {
    if (!insideDrawingArea(x, y)) {
        return;
    }
    // In 8- and 24-bit modes the 4-byte addressing reaches past the buffer's end for the far
    // pixels of the area; those are skipped like pixels outside it.
    const int64_t offset =
        static_cast<int64_t>(y) * display.backPitch + static_cast<int64_t>(x) * 4;
    if (offset + 3 > backBytesFromBase(display.backPitch)) {
        return;
    }
    uint8_t* pixel = pixelAddress<backPixels, 4>(x, y);
    for (int channel = 0; channel < 3; ++channel) {
        const int32_t c = static_cast<int32_t>((colour >> (8 * channel)) & 255);
        pixel[channel] = static_cast<uint8_t>(minInt(pixel[channel] + c, 255));
    }
}
