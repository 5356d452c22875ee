#include "imagefile/screenshot.h"

#include "colour/paletteConversion.h"
#include "display/presentation.h"
#include "imagefile/bmpHeader.h"
#include "raster/lines.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "util/numeric.h"

#include <cstdio>

namespace {

const int32_t rowsPerProgressStep = 50;
const Colour progressColour = 15; // white in the default palette

void writePalette(FILE* file) {
    float red[256];
    float green[256];
    float blue[256];
    paletteToFloats(red, green, blue);
    for (int i = 0; i < 256; ++i) {
        std::fputc(static_cast<int>(minReal(256.0 * blue[i], 255.0)), file);
        std::fputc(static_cast<int>(minReal(256.0 * green[i], 255.0)), file);
        std::fputc(static_cast<int>(minReal(256.0 * red[i], 255.0)), file);
        std::fputc(0, file);
    }
}

void showProgress(int32_t rowsWritten, int32_t width, int32_t height) {
    const float bottom = static_cast<float>(height - 1);
    const float barEnd = static_cast<float>(static_cast<int64_t>(rowsWritten) * width / height);
    drawLineDirect(0, bottom, static_cast<float>(width - 1), bottom, 0);
    drawLineDirect(0, bottom, barEnd, bottom, progressColour);
    presentFrame();
}

} // namespace

int writeScreenshot(const char* path) {
    const int32_t width = display.screenWidth;
    const int32_t height = display.screenHeight;
    const bool palettized = display.pixelMode == pixelModePalettized;
    BmpLayout layout;
    if (path == nullptr || width <= 0 || height <= 0 ||
        !layoutBmp(width, height, palettized ? 8 : 24, &layout)) {
        return 0;
    }
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return 0;
    }
    uint8_t header[bmpHeaderBytes];
    buildBmpHeader(width, height, palettized ? 8 : 24, layout, header);
    std::fwrite(header, 1, sizeof header, file);
    if (palettized) {
        writePalette(file);
    }
    for (int32_t y = height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = pixelOps.peek(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            if (palettized) {
                std::fputc(static_cast<int>(c & 0xFF), file);
            } else {
                std::fputc(static_cast<int>(c & 0xFF), file);
                std::fputc(static_cast<int>((c >> 8) & 0xFF), file);
                std::fputc(static_cast<int>((c >> 16) & 0xFF), file);
            }
        }
        for (uint32_t i = 0; i < layout.rowPadding; ++i) {
            std::fputc(0, file);
        }
        const int32_t rowsWritten = height - y;
        if (rowsWritten % rowsPerProgressStep == rowsPerProgressStep - 1) {
            showProgress(rowsWritten, width, height);
        }
    }
    const bool failed = std::ferror(file) != 0;
    return std::fclose(file) == 0 && !failed ? 1 : 0;
}
