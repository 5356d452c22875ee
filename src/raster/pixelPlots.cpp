// Plots and peeks for every buffer and pixel format.
#include "raster/pixelBuffers.h"
#include "raster/pixelFormats.h"

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

} // namespace

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
