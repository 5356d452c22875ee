#include "raster/areaPrimitives.h"

#include "raster/clipWindow.h"
#include "raster/pixelBuffers.h"
#include "raster/pixelOps.h"

#include <algorithm>
#include <cstring>

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
