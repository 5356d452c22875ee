// Sprites: a width byte, a height byte, then the pixels row by row with no gap. The encoding
// is chosen by the operation that draws it: indexed (1 byte, 255 transparent), true colour
// (blue, green, red; the exact triple 0x56, 0x34, 0x12 transparent) or alpha (blue, green,
// red, alpha). The keyed and clipped copies are the blitSprite and blitSpriteClipped slots.
#pragma once

#include <cstdint>

const uint8_t transparentIndex = 255;

// One indexed sprite pixel: every index but the transparent one is stored.
inline void storeKeyedIndex(uint8_t* destination, const uint8_t* source) {
    if (*source != transparentIndex) {
        *destination = *source;
    }
}
const uint8_t transparentBlue = 0x56;
const uint8_t transparentGreen = 0x34;
const uint8_t transparentRed = 0x12;

// The largest sprite: 2 size bytes and 255 x 255 one-byte pixels.
const uint32_t largestIndexedSprite = 2 + 255 * 255;

// Alpha sprite into the 24- or 32-bit back buffer: each channel becomes
// ((255 - a) * d + a * s) >> 8, three bytes per pixel. Positions wrap as the keyed copy's do.
// Draws nothing in 8-bit mode, where it has no meaning.
void blitSpriteAlpha(int32_t x, int32_t y, const uint8_t* sprite);
// Indexed sprite into the locked 8-bit front buffer, wrapping like the keyed copy.
void blitSpriteFront(int32_t x, int32_t y, const uint8_t* sprite);
