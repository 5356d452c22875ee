// The slot table and the plots behind it: plain plots and peeks for every buffer and pixel
// format, the screen blend the scene draws with, the additive plot.
#include "raster/pixelOps.h"

#include "raster/clipWindow.h"
#include "raster/pixelBuffers.h"
#include "raster/pixelFormats.h"
#include "raster/screenBlend.h"
#include "record/displayState.h"
#include "util/numeric.h"

namespace {

template <PixelBuffer buffer, uint32_t bytesPerPixel>
inline void plotInto(uint32_t x, uint32_t y, Colour colour) {
    if (!insideDrawingArea(x, y)) {
        return;
    }
    storePixel<bytesPerPixel>(pixelAddress<buffer, bytesPerPixel>(x, y), colour);
}

template <PixelBuffer buffer, uint32_t bytesPerPixel>
inline uint32_t peekFrom(uint32_t x, uint32_t y) {
    if (!insideDrawingArea(x, y)) {
        return 0;
    }
    const uint8_t* pixel = pixelAddress<buffer, bytesPerPixel>(x, y);
    if (bytesPerPixel == 1) {
        return *pixel;
    }
    return loadTrueColour(pixel);
}

template <uint32_t bytesPerPixel> inline void blendScreen(uint32_t x, uint32_t y, Colour colour) {
    if (colour == 0) {
        return;
    }
    if (!insideDrawingArea(x, y)) {
        return;
    }
    blendScreenPixel(pixelAddress<backPixels, bytesPerPixel>(x, y), colour);
}

} // namespace

PixelOps pixelOps;

void selectPixelOps() {
    switch (display.pixelMode) {
    case pixelModePalettized:
        pixelOps =
            PixelOps{plotBack8,     plotLayer8,     plotFront8, peekBack8,   peekLayer8,
                     fillRectBack8, fillRectLayer8, frameRect8, blitSprite8, blitSpriteClipped8};
        break;
    case pixelModeTrueColour24:
        pixelOps = PixelOps{
            plotBack24,     plotLayer24,     plotFront24, peekBack24,   peekLayer24,
            fillRectBack24, fillRectLayer24, frameRect24, blitSprite24, blitSpriteClippedNothing};
        break;
    case pixelModeTrueColour32:
        pixelOps = PixelOps{
            plotBack32,     plotLayer32,     plotFront32, peekBack32,   peekLayer32,
            fillRectBack32, fillRectLayer32, frameRect32, blitSprite32, blitSpriteClippedNothing};
        break;
    default:
        return;
    }
    plotScreen = bindPlotScreen;
}

void plotBack8(uint32_t x, uint32_t y, Colour colour) {
    plotInto<backPixels, 1>(x, y, colour);
}
void plotBack24(uint32_t x, uint32_t y, Colour colour) {
    plotInto<backPixels, 3>(x, y, colour);
}
void plotBack32(uint32_t x, uint32_t y, Colour colour) {
    plotInto<backPixels, 4>(x, y, colour);
}
void plotLayer8(uint32_t x, uint32_t y, Colour colour) {
    plotInto<layerPixels, 1>(x, y, colour);
}
void plotLayer24(uint32_t x, uint32_t y, Colour colour) {
    plotInto<layerPixels, 3>(x, y, colour);
}
void plotLayer32(uint32_t x, uint32_t y, Colour colour) {
    plotInto<layerPixels, 4>(x, y, colour);
}
void plotFront8(uint32_t x, uint32_t y, Colour colour) {
    plotInto<frontPixels, 1>(x, y, colour);
}
void plotFront24(uint32_t x, uint32_t y, Colour colour) {
    plotInto<frontPixels, 3>(x, y, colour);
}
void plotFront32(uint32_t x, uint32_t y, Colour colour) {
    plotInto<frontPixels, 4>(x, y, colour);
}

uint32_t peekBack8(uint32_t x, uint32_t y) {
    return peekFrom<backPixels, 1>(x, y);
}
uint32_t peekBack24(uint32_t x, uint32_t y) {
    return peekFrom<backPixels, 3>(x, y);
}
uint32_t peekBack32(uint32_t x, uint32_t y) {
    return peekFrom<backPixels, 4>(x, y);
}
uint32_t peekLayer8(uint32_t x, uint32_t y) {
    return peekFrom<layerPixels, 1>(x, y);
}
uint32_t peekLayer24(uint32_t x, uint32_t y) {
    return peekFrom<layerPixels, 3>(x, y);
}
uint32_t peekLayer32(uint32_t x, uint32_t y) {
    return peekFrom<layerPixels, 4>(x, y);
}

// The caller keeps (x, y) inside the area and holds the front buffer locked.
uint32_t peekFront(uint32_t x, uint32_t y) {
    return *pixelAddress<frontPixels, 1>(x, y);
}

// The screen blend: overlapping lines brighten each other.

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

// Saturating add, always into 4-byte pixels.
void plotAdd(uint32_t x, uint32_t y, Colour colour) {
    if (!insideDrawingArea(x, y)) {
        return;
    }
    // In 8- and 24-bit modes the 4-byte addressing reaches past the buffer's end for the far
    // pixels of the area; those are skipped like pixels outside it.
    const int64_t offset =
        static_cast<int64_t>(y) * display.backPitch + static_cast<int64_t>(x) * 4;
    if (offset + 3 > backBytesFromBase(display.backPitch)) {
        return;
    }
    uint8_t* pixel = pixelAddress<backPixels, 4>(x, y);
    for (int channel = 0; channel < 3; ++channel) {
        const int32_t c = static_cast<int32_t>((colour >> (8 * channel)) & 255);
        pixel[channel] = static_cast<uint8_t>(minInt(pixel[channel] + c, 255));
    }
}
