// The wrap-around walk shared by the keyed, alpha and front-buffer sprite copies.
//
// A negative position counts once from the right or bottom edge. Each row is tested once
// against the wrap limit, the start from which a row of w pixels would end exactly at the last
// pixel of the last row; a row at or past it moves up by one row fewer than the area's height.
// Rows are not clipped at the right edge: they continue into the bytes that follow.
//
// Domain: -screenWidth <= x < screenWidth, -screenHeight <= y < screenHeight and w no greater
// than screenWidth; a call outside it draws nothing. Inside it every row ends within the area,
// except on an area one row high, where no wrap can move a row back; there the row is cut at
// the end of the buffer.
#pragma once

#include "record/displayState.h"

#include <cstdint>

// storePixel(destination, source) writes one pixel; the sprite has sourceBytes per pixel.
// bufferBytes counts the bytes from base to the end of the whole buffer.
template <uint32_t bytesPerPixel, uint32_t sourceBytes, typename StorePixel>
inline void walkWrappedSprite(uint8_t* base, int32_t pitch, int64_t bufferBytes, int32_t x,
                              int32_t y, const uint8_t* sprite, StorePixel storePixel) {
    const int32_t w = sprite[0];
    const int32_t h = sprite[1];
    const int32_t width = display.screenWidth;
    const int32_t height = display.screenHeight;
    if (base == nullptr || pitch <= 0 || x < -width || x >= width || y < -height || y >= height ||
        w > width) {
        return;
    }
    if (x < 0) {
        x += width;
    }
    if (y < 0) {
        y += height;
    }
    // The bytes a pixel's store touches: the fourth byte of a 4-byte pixel is never written.
    const int64_t storedBytes = bytesPerPixel == 1 ? 1 : 3;
    const int64_t wrapBack = static_cast<int64_t>(height - 1) * pitch;
    const int64_t limit = wrapBack + static_cast<int64_t>(width - w) * bytesPerPixel;
    int64_t o = static_cast<int64_t>(y) * pitch + static_cast<int64_t>(x) * bytesPerPixel;
    const uint8_t* source = sprite + 2;
    for (int32_t row = 0; row < h; ++row, o += pitch, source += w * sourceBytes) {
        if (o >= limit) {
            o -= wrapBack;
        }
        const int64_t room = bufferBytes - o;
        int64_t pixels = w;
        if (room < static_cast<int64_t>(w) * bytesPerPixel) {
            pixels = room < storedBytes ? 0 : (room - storedBytes) / bytesPerPixel + 1;
            pixels = pixels < w ? pixels : w;
        }
        uint8_t* destination = base + o;
        for (int64_t k = 0; k < pixels; ++k) {
            storePixel(destination + k * bytesPerPixel, source + k * sourceBytes);
        }
    }
}
