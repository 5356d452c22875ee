// The header of the BMP screenshots: uncompressed, bottom-up rows, 8 bits with a 256-entry
// palette or 24 bits without one. Each row is padded with zero bytes to a multiple of four.
#pragma once

#include <cstdint>

const uint32_t bmpHeaderBytes = 54;
const uint32_t bmpPaletteBytes = 1024;

struct BmpLayout {
    uint32_t pixelOffset; // 1078 with the palette, 54 without
    uint32_t rowBytes;    // pixels of one row
    uint32_t rowPadding;  // zero bytes after them
    uint32_t imageBytes;  // every padded row
    uint32_t fileBytes;   // header, palette and rows
};

// False when a file of that size cannot be described (over 4 GiB) or the size is negative.
bool layoutBmp(int32_t width, int32_t height, uint32_t bitsPerPixel, BmpLayout* layout);

// The 54 header bytes: the 18-byte head template, width and height, the 28-byte tail template,
// with the file-size and image-size fields taken from the layout.
void buildBmpHeader(int32_t width, int32_t height, uint32_t bitsPerPixel, const BmpLayout& layout,
                    uint8_t header[bmpHeaderBytes]);
