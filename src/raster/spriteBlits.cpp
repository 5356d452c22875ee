// Keyed sprite copies with wrap-around for the blitSprite slot.
#include "raster/clipWindow.h"
#include "raster/pixelFormats.h"
#include "raster/spriteWrap.h"
#include "raster/sprites.h"

namespace {

inline bool isTransparentTriple(const uint8_t* source) {
    return source[0] == transparentBlue && source[1] == transparentGreen &&
           source[2] == transparentRed;
}

template <uint32_t bytesPerPixel> void blitTrueColour(int32_t x, int32_t y, const uint8_t* sprite) {
    walkWrappedSprite<bytesPerPixel, 3>(display.backBuffer, display.backPitch,
                                        backBytesFromBase(display.backPitch), x, y, sprite,
                                        [](uint8_t* destination, const uint8_t* source) {
                                            if (!isTransparentTriple(source)) {
                                                destination[0] = source[0];
                                                destination[1] = source[1];
                                                destination[2] = source[2];
                                            }
                                        });
}

} // namespace

void blitSprite8(int32_t x, int32_t y, const uint8_t* sprite) {
    walkWrappedSprite<1, 1>(display.backBuffer, display.backPitch,
                            backBytesFromBase(display.backPitch), x, y, sprite, storeKeyedIndex);
}

// True-colour sprites hold 3 bytes per pixel in both true-colour modes.
void blitSprite24(int32_t x, int32_t y, const uint8_t* sprite) {
    blitTrueColour<3>(x, y, sprite);
}
void blitSprite32(int32_t x, int32_t y, const uint8_t* sprite) {
    blitTrueColour<4>(x, y, sprite);
}
