#include "platform/host/web/webFrameConversion.h"

#include <cstring>

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

namespace {

// The part of the frame to convert: columns x0 .. x1 − 1 of rows y0 .. y1 − 1.
struct Span {
    int x0;
    int x1;
    int y0;
    int y1;
};

const uint8_t* sourceRow(const HostFrame& frame, int y) {
    return frame.pixels + static_cast<long>(y) * frame.pitch;
}

uint8_t* targetRow(const HostFrame& frame, uint8_t* target, int y) {
    return target + static_cast<long>(y) * frame.width * 4;
}

void convertIndexed(const HostFrame& frame, const HostPaletteEntry* palette, const Span& span,
                    uint8_t* target) {
    for (int y = span.y0; y < span.y1; y++) {
        const uint8_t* row = sourceRow(frame, y);
        uint8_t* out = targetRow(frame, target, y) + 4 * span.x0;
        for (int x = span.x0; x < span.x1; x++, out += 4) {
            const uint8_t index = row[x];
            if (palette) {
                out[0] = palette[index].red;
                out[1] = palette[index].green;
                out[2] = palette[index].blue;
            } else {
                out[0] = out[1] = out[2] = index;
            }
            out[3] = 255;
        }
    }
}

void convertHighColour(const HostFrame& frame, const Span& span, uint8_t* target) {
    for (int y = span.y0; y < span.y1; y++) {
        const uint8_t* row = sourceRow(frame, y);
        uint8_t* out = targetRow(frame, target, y) + 4 * span.x0;
        for (int x = span.x0; x < span.x1; x++, out += 4) {
            const unsigned value = row[2 * x] | row[2 * x + 1] << 8;
            const unsigned red = value >> 11, green = (value >> 5) & 0x3F, blue = value & 0x1F;
            out[0] = static_cast<uint8_t>(red << 3 | red >> 2);
            out[1] = static_cast<uint8_t>(green << 2 | green >> 4);
            out[2] = static_cast<uint8_t>(blue << 3 | blue >> 2);
            out[3] = 255;
        }
    }
}

// 24 and 32 bits: blue, green, red in memory; a 32-bit pixel's fourth byte is not shown. With
// vector instructions four pixels at a time by one byte shuffle, as long as sixteen bytes of
// the row are left to load.
void convertTrueColour(const HostFrame& frame, const Span& span, uint8_t* target) {
    const int step = frame.bytesPerPixel;
    for (int y = span.y0; y < span.y1; y++) {
        const uint8_t* pixel = sourceRow(frame, y) + step * span.x0;
        uint8_t* out = targetRow(frame, target, y) + 4 * span.x0;
        int x = span.x0;
#if defined(__wasm_simd128__)
        const v128_t opaque = wasm_i8x16_splat(-1);
        if (step == 4) {
            for (; x + 4 <= span.x1; x += 4, pixel += 16, out += 16) {
                const v128_t bgrx = wasm_v128_load(pixel);
                wasm_v128_store(out, wasm_i8x16_shuffle(bgrx, opaque, 2, 1, 0, 16, 6, 5, 4, 16, 10,
                                                        9, 8, 16, 14, 13, 12, 16));
            }
        } else {
            for (; x + 6 <= frame.width && x + 4 <= span.x1; x += 4, pixel += 12, out += 16) {
                const v128_t bgr = wasm_v128_load(pixel);
                wasm_v128_store(out, wasm_i8x16_shuffle(bgr, opaque, 2, 1, 0, 16, 5, 4, 3, 16, 8, 7,
                                                        6, 16, 11, 10, 9, 16));
            }
        }
#endif
        for (; x < span.x1; x++, pixel += step, out += 4) {
            out[0] = pixel[2];
            out[1] = pixel[1];
            out[2] = pixel[0];
            out[3] = 255;
        }
    }
}

int clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

} // namespace

void convertFrameRectToRgba(const HostFrame& frame, const HostPaletteEntry* fallbackPalette, int x,
                            int y, int width, int height, uint8_t* target) {
    const long right = static_cast<long>(x) + (width > 0 ? width : 0);
    const long bottom = static_cast<long>(y) + (height > 0 ? height : 0);
    const Span span = {clamp(x, 0, frame.width),
                       static_cast<int>(right < 0             ? 0
                                        : right > frame.width ? frame.width
                                                              : right),
                       clamp(y, 0, frame.height),
                       static_cast<int>(bottom < 0              ? 0
                                        : bottom > frame.height ? frame.height
                                                                : bottom)};
    if (span.x0 >= span.x1 || span.y0 >= span.y1) {
        return;
    }
    switch (frame.bytesPerPixel) {
    case 1:
        convertIndexed(frame, frame.palette ? frame.palette : fallbackPalette, span, target);
        break;
    case 2:
        convertHighColour(frame, span, target);
        break;
    case 3:
    case 4:
        convertTrueColour(frame, span, target);
        break;
    default:
        for (int row = span.y0; row < span.y1; row++) {
            uint8_t* out = targetRow(frame, target, row);
            for (int column = span.x0; column < span.x1; column++) {
                std::memcpy(out + 4 * column, "\0\0\0\xFF", 4);
            }
        }
        break;
    }
}

void convertFrameToRgba(const HostFrame& frame, const HostPaletteEntry* fallbackPalette,
                        uint8_t* target) {
    convertFrameRectToRgba(frame, fallbackPalette, 0, 0, frame.width, frame.height, target);
}
