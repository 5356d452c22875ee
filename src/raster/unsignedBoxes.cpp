// Solid 8-bit rectangles given by unsigned bounds: no clipping at the left or top, so the
// start corner must lie in the area.
#include "raster/areaPrimitives.h"

#include "raster/pixelBuffers.h"

#include <cstring>

namespace {

// Unsigned 32-bit arithmetic throughout: a negative start is a huge value outside the area,
// a negative width a huge one cut at the right edge.
template <PixelBuffer buffer>
void fillUnsigned(uint32_t x, uint32_t y, uint32_t w, uint32_t h, Colour colour) {
    const uint32_t width = static_cast<uint32_t>(display.screenWidth);
    const uint32_t height = static_cast<uint32_t>(display.screenHeight);
    if (x >= width || y >= height) {
        return;
    }
    const uint32_t bottom = y + h < height ? y + h : height;
    const uint32_t run = w < width - x ? w : width - x;
    for (uint32_t r = y; r < bottom; ++r) {
        std::memset(pixelAddress<buffer, 1>(x, r), static_cast<uint8_t>(colour), run);
    }
}

} // namespace

void fillRectFront(uint32_t x, uint32_t y, uint32_t w, uint32_t h, Colour colour) {
    fillUnsigned<frontPixels>(x, y, w, h, colour);
}

void fillBox(uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, Colour colour) {
    if (x2 < x1 || y2 < y1) {
        return;
    }
    fillUnsigned<backPixels>(x1, y1, x2 - x1, y2 - y1, colour);
}

void fillBoxLayer(uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, Colour colour) {
    if (x2 < x1 || y2 < y1) {
        return;
    }
    fillUnsigned<layerPixels>(x1, y1, x2 - x1, y2 - y1, colour);
}
