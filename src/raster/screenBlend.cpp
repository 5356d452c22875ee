// The screen-blend plot the scene draws with: overlapping lines brighten each other.
#include "raster/pixelBuffers.h"
#include "raster/pixelOps.h"

namespace {

// 255 - (255 - d) * (255 - c) / 256 per channel: the divisor is 256, so a source channel of
// 0 still raises a destination channel below 255 by one.
inline uint8_t screenChannel(uint8_t destination, uint32_t invertedSource) {
    return static_cast<uint8_t>((((destination ^ 255u) * invertedSource) >> 8) ^ 255u);
}

template <uint32_t bytesPerPixel> inline void blendScreen(uint32_t x, uint32_t y, Colour colour) {
    if (colour == 0) {
        return;
    }
    if (!insideDrawingArea(x, y)) {
        return;
    }
    uint8_t* pixel = pixelAddress<backPixels, bytesPerPixel>(x, y);
    const uint32_t sb = (colour & 255) ^ 255;
    const uint32_t sg = ((colour >> 8) & 255) ^ 255;
    const uint32_t sr = (colour >> 16) ^ 255;
    pixel[0] = screenChannel(pixel[0], sb);
    pixel[1] = screenChannel(pixel[1], sg);
    pixel[2] = screenChannel(pixel[2], sr);
}

} // namespace

PlotOperation plotScreen = bindPlotScreen;

void blendScreen24(uint32_t x, uint32_t y, Colour colour) {
    blendScreen<3>(x, y, colour);
}
void blendScreen32(uint32_t x, uint32_t y, Colour colour) {
    blendScreen<4>(x, y, colour);
}

// The format test is paid once per selection, by the first plot after it.
void bindPlotScreen(uint32_t x, uint32_t y, Colour colour) {
    if (display.pixelMode == pixelModeTrueColour24) {
        plotScreen = blendScreen24;
    } else if (display.pixelMode == pixelModeTrueColour32) {
        plotScreen = blendScreen32;
    } else {
        // No blend exists for 8-bit pixels; the plot does nothing there.
        return;
    }
    plotScreen(x, y, colour);
}
