// Rectangle outlines for the frameRect slot: the far column and row belong to the outline,
// so it covers w + 1 columns and h + 1 rows, each side cut to the drawing area.
#include "raster/pixelBuffers.h"
#include "raster/pixelFormats.h"

#include <algorithm>
#include <cstring>

namespace {

template <uint32_t bytesPerPixel>
void frameColumn(int64_t column, int64_t top, int64_t bottom, Colour colour) {
    for (int64_t r = top; r <= bottom; ++r) {
        storePixel<bytesPerPixel>(pixelAddress<backPixels, bytesPerPixel>(
                                      static_cast<uint32_t>(column), static_cast<uint32_t>(r)),
                                  colour);
    }
}

template <uint32_t bytesPerPixel>
void frameRow(int64_t row, int64_t left, int64_t right, Colour colour) {
    if (right < left) {
        return;
    }
    uint8_t* pixel = pixelAddress<backPixels, bytesPerPixel>(static_cast<uint32_t>(left),
                                                             static_cast<uint32_t>(row));
    if (bytesPerPixel == 1) {
        std::memset(pixel, static_cast<uint8_t>(colour), static_cast<size_t>(right - left + 1));
        return;
    }
    for (int64_t c = left; c <= right; ++c, pixel += bytesPerPixel) {
        storeTrueColour(pixel, colour);
    }
}

template <uint32_t bytesPerPixel>
void frameRectBack(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    const int64_t width = display.screenWidth;
    const int64_t height = display.screenHeight;
    // 64-bit far edges: x + w must not overflow for any arguments.
    const int64_t x2 = static_cast<int64_t>(x) + w;
    const int64_t y2 = static_cast<int64_t>(y) + h;
    if (w < 0 || h < 0 || x >= width || y >= height || x2 < 0 || y2 < 0) {
        return;
    }
    const int64_t top = std::max<int64_t>(0, y);
    const int64_t bottom = std::min<int64_t>(height - 1, y2);
    const int64_t left = std::max<int64_t>(0, x);
    const int64_t right = std::min<int64_t>(width - 1, x2);
    if (x >= 0) {
        frameColumn<bytesPerPixel>(x, top, bottom, colour);
    }
    if (x2 < width) {
        frameColumn<bytesPerPixel>(x2, top, bottom, colour);
    }
    if (y >= 0) {
        frameRow<bytesPerPixel>(y, left, right, colour);
    }
    if (y2 < height) {
        frameRow<bytesPerPixel>(y2, left, right, colour);
    }
}

} // namespace

void frameRect8(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    frameRectBack<1>(x, y, w, h, colour);
}
void frameRect24(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    frameRectBack<3>(x, y, w, h, colour);
}
void frameRect32(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    frameRectBack<4>(x, y, w, h, colour);
}
