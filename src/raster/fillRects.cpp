// Solid rectangles cut to the drawing area, in the back buffer and the layer.
#include "raster/pixelBuffers.h"
#include "raster/pixelFormats.h"

#include <cstring>

namespace {

template <PixelBuffer buffer, uint32_t bytesPerPixel>
void fillRectInto(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    const int32_t height = display.screenHeight;
    const int32_t width = display.screenWidth;
    // 64-bit sums: x + w and y + h must not overflow for any arguments.
    const int64_t top = y > 0 ? y : 0;
    int64_t bottom = static_cast<int64_t>(y) + h;
    if (bottom > height) {
        bottom = height;
    }
    if (top >= height || bottom < 0) {
        return;
    }
    int64_t left = x;
    int64_t run = w;
    if (left < 0) {
        run += left;
        left = 0;
    }
    if (left >= width || run <= 0) {
        return;
    }
    if (run > width - left) {
        run = width - left;
    }
    const uint32_t pitch = pixelBufferPitch<buffer>();
    uint8_t* row = pixelAddress<buffer, bytesPerPixel>(static_cast<uint32_t>(left),
                                                       static_cast<uint32_t>(top));
    for (int64_t r = top; r < bottom; ++r, row += pitch) {
        if (bytesPerPixel == 1) {
            std::memset(row, static_cast<uint8_t>(colour), static_cast<size_t>(run));
        } else {
            uint8_t* pixel = row;
            for (int64_t c = 0; c < run; ++c, pixel += bytesPerPixel) {
                storeTrueColour(pixel, colour);
            }
        }
    }
}

} // namespace

void fillRectBack8(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    fillRectInto<backPixels, 1>(x, y, w, h, colour);
}
void fillRectBack24(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    fillRectInto<backPixels, 3>(x, y, w, h, colour);
}
void fillRectBack32(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    fillRectInto<backPixels, 4>(x, y, w, h, colour);
}
void fillRectLayer8(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    fillRectInto<layerPixels, 1>(x, y, w, h, colour);
}
void fillRectLayer24(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    fillRectInto<layerPixels, 3>(x, y, w, h, colour);
}
void fillRectLayer32(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    fillRectInto<layerPixels, 4>(x, y, w, h, colour);
}
