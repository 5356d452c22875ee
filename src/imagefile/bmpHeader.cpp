#include "imagefile/bmpHeader.h"

#include <cstring>

namespace {

const uint8_t head8[18] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0, 40, 0, 0, 0};
const uint8_t head24[18] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 40, 0, 0, 0};
// Planes 1, depth, no compression, image size, pixels per metre 3780 (8-bit) or 2834
// (24-bit) both ways, colours used and important colours 0.
const uint8_t tail8[28] = {1, 0, 8,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0xC4, 0x0E,
                           0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0,    0};
const uint8_t tail24[28] = {1, 0, 24,   0,    0, 0, 0, 0, 0, 0, 0, 0, 0x12, 0x0B,
                            0, 0, 0x12, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0,    0};

const int fileSizeField = 2;
const int widthField = 18;
const int heightField = 22;
const int imageSizeField = 34;

void putLittleEndian(uint8_t* field, uint32_t value) {
    field[0] = static_cast<uint8_t>(value);
    field[1] = static_cast<uint8_t>(value >> 8);
    field[2] = static_cast<uint8_t>(value >> 16);
    field[3] = static_cast<uint8_t>(value >> 24);
}

} // namespace

bool layoutBmp(int32_t width, int32_t height, uint32_t bitsPerPixel, BmpLayout* layout) {
    if (width < 0 || height < 0) {
        return false;
    }
    const uint64_t rowBytes = static_cast<uint64_t>(width) * (bitsPerPixel / 8);
    const uint64_t paddedRow = (rowBytes + 3) / 4 * 4;
    const uint64_t pixelOffset = bmpHeaderBytes + (bitsPerPixel == 8 ? bmpPaletteBytes : 0);
    const uint64_t imageBytes = paddedRow * static_cast<uint64_t>(height);
    const uint64_t fileBytes = pixelOffset + imageBytes;
    if (fileBytes > 0xFFFFFFFFu) {
        return false;
    }
    layout->pixelOffset = static_cast<uint32_t>(pixelOffset);
    layout->rowBytes = static_cast<uint32_t>(rowBytes);
    layout->rowPadding = static_cast<uint32_t>(paddedRow - rowBytes);
    layout->imageBytes = static_cast<uint32_t>(imageBytes);
    layout->fileBytes = static_cast<uint32_t>(fileBytes);
    return true;
}

void buildBmpHeader(int32_t width, int32_t height, uint32_t bitsPerPixel, const BmpLayout& layout,
                    uint8_t header[bmpHeaderBytes]) {
    const bool palettized = bitsPerPixel == 8;
    std::memcpy(header, palettized ? head8 : head24, sizeof head8);
    putLittleEndian(header + widthField, static_cast<uint32_t>(width));
    putLittleEndian(header + heightField, static_cast<uint32_t>(height));
    std::memcpy(header + 26, palettized ? tail8 : tail24, sizeof tail8);
    putLittleEndian(header + fileSizeField, layout.fileBytes);
    putLittleEndian(header + imageSizeField, layout.imageBytes);
}
