// Every sprite copy: the keyed blitSprite and clipped blitSpriteClipped slots of each format,
// the alpha copy and the front-buffer copy.
#include "raster/sprites.h"

#include "raster/clipWindow.h"
#include "raster/pixelBuffers.h"
#include "raster/pixelFormats.h"
#include "record/displayState.h"

#include <cstdint>

namespace {

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
//
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

// Keyed copies with wrap-around.

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

// The clipped indexed copy: every pixel is tested against the area, with no wrap-around and no
// counting from the right or bottom edge.
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

void blitSpriteAlpha(int32_t x, int32_t y, const uint8_t* sprite) {
    if (display.pixelMode == pixelModeTrueColour24) {
        blitAlpha<3>(x, y, sprite);
    } else if (display.pixelMode == pixelModeTrueColour32) {
        blitAlpha<4>(x, y, sprite);
    }
}

// The front buffer does not move with a clip window: it is addressed from the screen's
// top-left corner and tested against the window's size, and it ends where the whole screen does.
void blitSpriteFront(int32_t x, int32_t y, const uint8_t* sprite) {
    const int64_t bufferBytes = static_cast<int64_t>(display.frontPitch) * wholeScreenHeight();
    walkWrappedSprite<1, 1>(display.frontBuffer, display.frontPitch, bufferBytes, x, y, sprite,
                            storeKeyedIndex);
}
