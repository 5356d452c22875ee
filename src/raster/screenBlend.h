// Raster's own detail, for raster sources only.
// The screen blend of one true-colour pixel, shared by plotScreen and the walks drawn in rows.
#pragma once

#include "record/colour.h"

#include <cstdint>

// 255 - (255 - d) * (255 - c) / 256 per channel: the divisor is 256, so a source channel of
// 0 still raises a destination channel below 255 by one.
inline uint8_t screenChannel(uint8_t destination, uint32_t invertedSource) {
    return static_cast<uint8_t>((((destination ^ 255u) * invertedSource) >> 8) ^ 255u);
}

// Blue, green, red at pixel; a fourth byte is left alone.
inline void blendScreenPixel(uint8_t* pixel, Colour colour) {
    const uint32_t sb = (colour & 255) ^ 255;
    const uint32_t sg = ((colour >> 8) & 255) ^ 255;
    const uint32_t sr = (colour >> 16) ^ 255;
    pixel[0] = screenChannel(pixel[0], sb);
    pixel[1] = screenChannel(pixel[1], sg);
    pixel[2] = screenChannel(pixel[2], sr);
}
