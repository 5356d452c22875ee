// Raster's own detail, for raster sources only.
// The screen blend of one true-colour pixel, shared by plotScreen, the scene's lines and the
// walks drawn in rows.
#pragma once

#include "record/colour.h"
#include "record/displayState.h"

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

// The back buffer as the record describes it for a whole walk or drawing: nothing locks a
// surface again while a line is stepped or the scene is replayed, so the record is read once,
// not at every pixel (a pixel's byte stores may alias anything, so the compiler would reload it).
struct BlendTarget {
    uint8_t* base;
    uint32_t pitch;
    uint32_t width;
    uint32_t height;
};

inline BlendTarget backBufferBlendTarget() {
    return BlendTarget{display.backBuffer, static_cast<uint32_t>(display.backPitch),
                       static_cast<uint32_t>(display.screenWidth),
                       static_cast<uint32_t>(display.screenHeight)};
}

// plotScreen's blend, pixel for pixel, for a colour other than black.
template <uint32_t bytesPerPixel>
inline void blendAt(const BlendTarget& target, uint32_t x, uint32_t y, Colour colour) {
    if (x >= target.width || y >= target.height) {
        return;
    }
    // The same 32-bit offset arithmetic as every plot.
    blendScreenPixel(target.base + (y * target.pitch + x * bytesPerPixel), colour);
}
