// Everything above the single pixel but the sprites and the circles: the solid and outline
// rectangle slots of every format, corner outlines, unsigned boxes, spans and triangles.
#include "raster/areaPrimitives.h"

#include "raster/clipWindow.h"
#include "raster/pixelBuffers.h"
#include "raster/pixelFormats.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "util/numeric.h"

#include <algorithm>
#include <cstring>
#include <utility>

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

// Solid rectangles cut to the drawing area, in the back buffer and the layer: the fillRect and
// fillRectLayer slots.

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

// Rectangle outlines for the frameRect slot: the far column and row belong to the outline,
// so it covers w + 1 columns and h + 1 rows, each side cut to the drawing area.

void frameRect8(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    frameRectBack<1>(x, y, w, h, colour);
}
void frameRect24(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    frameRectBack<3>(x, y, w, h, colour);
}
void frameRect32(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour) {
    frameRectBack<4>(x, y, w, h, colour);
}

void frameBox(uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, Colour colour) {
    const int64_t pitch = display.backPitch;
    if (pitch <= 0) {
        return;
    }
    // The offsets are taken as signed values, so a start above or left of the buffer lies
    // before it; 64 bits, so that no product wraps back into it.
    const int64_t left = static_cast<int32_t>(x1);
    const int64_t top = static_cast<int32_t>(y1);
    const int64_t right = static_cast<int32_t>(x2);
    const int64_t bottom = static_cast<int32_t>(y2);
    const int64_t w = right - left;
    const int64_t h = bottom - top;
    if (w < 0 || h < 0) {
        return;
    }
    const int64_t first = top * pitch + left;
    const int64_t last = first + w + h * pitch;
    // Within a clip window the area's last row may end past the whole buffer.
    const int64_t end =
        std::min(pitch * display.screenHeight, backBytesFromBase(display.backPitch));
    if (first < 0 || last >= end) {
        return;
    }
    const uint8_t value = static_cast<uint8_t>(colour);
    std::memset(display.backBuffer + first, value, static_cast<size_t>(w + 1));
    std::memset(display.backBuffer + first + h * pitch, value, static_cast<size_t>(w + 1));
    for (int64_t r = top + 1; r < bottom; ++r) {
        pixelOps.plot(x1, static_cast<uint32_t>(r), value);
        pixelOps.plot(x2, static_cast<uint32_t>(r), value);
    }
}

// Solid 8-bit rectangles given by unsigned bounds: no clipping at the left or top, so the
// start corner must lie in the area.

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
