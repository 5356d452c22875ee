// The clipped indexed copy of the blitSpriteClipped slot: every pixel is tested against the
// area, with no wrap-around and no counting from the right or bottom edge.
#include "raster/pixelBuffers.h"
#include "raster/pixelFormats.h"
#include "raster/sprites.h"

void blitSpriteClipped8(int32_t x, int32_t y, const uint8_t* sprite) {
    const int64_t w = sprite[0];
    const int64_t h = sprite[1];
    const int64_t width = display.screenWidth;
    const int64_t height = display.screenHeight;
    if (x + w <= 0 || y + h <= 0 || x >= width || y >= height) {
        return;
    }
    const uint8_t* source = sprite + 2;
    for (int64_t r = y; r < y + h; ++r, source += w) {
        if (r < 0 || r >= height) {
            continue;
        }
        for (int64_t k = 0; k < w; ++k) {
            const int64_t c = x + k;
            if (c >= 0 && c < width && source[k] != transparentIndex) {
                *pixelAddress<backPixels, 1>(static_cast<uint32_t>(c), static_cast<uint32_t>(r)) =
                    source[k];
            }
        }
    }
}

void blitSpriteClippedNothing(int32_t, int32_t, const uint8_t*) {}
