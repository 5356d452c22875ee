// Raster's own detail, for raster sources only.
// Addressing of the three pixel buffers that the display record describes. Every call reads
// the record afresh: surfaces locked again and a clip window take effect at the next pixel.
#pragma once

#include "record/displayState.h"

#include <cstdint>

enum PixelBuffer { backPixels, layerPixels, frontPixels };

template <PixelBuffer buffer> inline uint8_t* pixelBufferBase() {
    if (buffer == backPixels) {
        return display.backBuffer;
    }
    if (buffer == layerPixels) {
        return display.layerBuffer;
    }
    return display.frontBuffer;
}

template <PixelBuffer buffer> inline uint32_t pixelBufferPitch() {
    if (buffer == backPixels) {
        return static_cast<uint32_t>(display.backPitch);
    }
    if (buffer == layerPixels) {
        return static_cast<uint32_t>(display.layerPitch);
    }
    return static_cast<uint32_t>(display.frontPitch);
}

// Negative positions arrive as huge unsigned values and fail here too.
inline bool insideDrawingArea(uint32_t x, uint32_t y) {
    return x < static_cast<uint32_t>(display.screenWidth) &&
           y < static_cast<uint32_t>(display.screenHeight);
}

// Offsets are 32-bit unsigned products and sums.
template <PixelBuffer buffer, uint32_t bytesPerPixel>
inline uint8_t* pixelAddress(uint32_t x, uint32_t y) {
    return pixelBufferBase<buffer>() + (y * pixelBufferPitch<buffer>() + x * bytesPerPixel);
}

// Blue, green, red; the fourth byte of a 4-byte pixel is never written.
inline void storeTrueColour(uint8_t* pixel, uint32_t colour) {
    pixel[0] = static_cast<uint8_t>(colour);
    pixel[1] = static_cast<uint8_t>(colour >> 8);
    pixel[2] = static_cast<uint8_t>(colour >> 16);
}

// One pixel in the layout of its format: a palette index, or blue, green, red.
template <uint32_t bytesPerPixel> inline void storePixel(uint8_t* pixel, Colour colour) {
    if (bytesPerPixel == 1) {
        *pixel = static_cast<uint8_t>(colour);
    } else {
        storeTrueColour(pixel, colour);
    }
}

inline uint32_t loadTrueColour(const uint8_t* pixel) {
    return pixel[0] | static_cast<uint32_t>(pixel[1]) << 8 | static_cast<uint32_t>(pixel[2]) << 16;
}
