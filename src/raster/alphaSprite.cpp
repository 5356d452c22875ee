#include "raster/clipWindow.h"
#include "raster/spriteWrap.h"
#include "raster/sprites.h"

namespace {

// The weights sum to 255 and the shift divides by 256, so even alpha 0 darkens by one.
inline uint8_t blendChannel(uint32_t destination, uint32_t source, uint32_t alpha) {
    return static_cast<uint8_t>(((255 - alpha) * destination + alpha * source) >> 8);
}

template <uint32_t bytesPerPixel> void blitAlpha(int32_t x, int32_t y, const uint8_t* sprite) {
    walkWrappedSprite<bytesPerPixel, 4>(
        display.backBuffer, display.backPitch, backBytesFromBase(display.backPitch), x, y, sprite,
        [](uint8_t* destination, const uint8_t* source) {
            const uint32_t alpha = source[3];
            for (int c = 0; c < 3; ++c) {
                destination[c] = blendChannel(destination[c], source[c], alpha);
            }
        });
}

} // namespace

void blitSpriteAlpha(int32_t x, int32_t y, const uint8_t* sprite) {
    if (display.pixelMode == pixelModeTrueColour24) {
        blitAlpha<3>(x, y, sprite);
    } else if (display.pixelMode == pixelModeTrueColour32) {
        blitAlpha<4>(x, y, sprite);
    }
}
