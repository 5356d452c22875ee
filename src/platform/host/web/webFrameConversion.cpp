#include "platform/host/web/webFrameConversion.h"

#include <cstring>

static void convertIndexed(const HostFrame& frame, const HostPaletteEntry* palette,
                           uint8_t* target) {
    for (int y = 0; y < frame.height; y++) {
        const uint8_t* row = frame.pixels + static_cast<long>(y) * frame.pitch;
        for (int x = 0; x < frame.width; x++, target += 4) {
            const uint8_t index = row[x];
            if (palette) {
                target[0] = palette[index].red;
                target[1] = palette[index].green;
                target[2] = palette[index].blue;
            } else {
                target[0] = target[1] = target[2] = index;
            }
            target[3] = 255;
        }
    }
}

static void convertHighColour(const HostFrame& frame, uint8_t* target) {
    for (int y = 0; y < frame.height; y++) {
        const uint8_t* row = frame.pixels + static_cast<long>(y) * frame.pitch;
        for (int x = 0; x < frame.width; x++, target += 4) {
            const unsigned value = row[2 * x] | row[2 * x + 1] << 8;
            const unsigned red = value >> 11, green = (value >> 5) & 0x3F, blue = value & 0x1F;
            target[0] = static_cast<uint8_t>(red << 3 | red >> 2);
            target[1] = static_cast<uint8_t>(green << 2 | green >> 4);
            target[2] = static_cast<uint8_t>(blue << 3 | blue >> 2);
            target[3] = 255;
        }
    }
}

// 24 and 32 bits: blue, green, red in memory; a 32-bit pixel's fourth byte is not shown.
static void convertTrueColour(const HostFrame& frame, uint8_t* target) {
    const int step = frame.bytesPerPixel;
    for (int y = 0; y < frame.height; y++) {
        const uint8_t* pixel = frame.pixels + static_cast<long>(y) * frame.pitch;
        for (int x = 0; x < frame.width; x++, pixel += step, target += 4) {
            target[0] = pixel[2];
            target[1] = pixel[1];
            target[2] = pixel[0];
            target[3] = 255;
        }
    }
}

void convertFrameToRgba(const HostFrame& frame, const HostPaletteEntry* fallbackPalette,
                        uint8_t* target) {
    switch (frame.bytesPerPixel) {
    case 1:
        convertIndexed(frame, frame.palette ? frame.palette : fallbackPalette, target);
        break;
    case 2:
        convertHighColour(frame, target);
        break;
    case 3:
    case 4:
        convertTrueColour(frame, target);
        break;
    default:
        for (long i = 0; i < static_cast<long>(frame.width) * frame.height; i++) {
            std::memcpy(target + 4 * i, "\0\0\0\xFF", 4);
        }
        break;
    }
}
