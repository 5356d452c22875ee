// Lines stored straight into the back buffer, overwriting what is there: the progress bar and
// the mouse pointer draw with it.
#include "raster/lineWalk.h"
#include "raster/lines.h"
#include "raster/pixelBuffers.h"
#include "record/displayState.h"

#include <cmath>

namespace {

// The clipping keeps the walk inside the area; the test guards the last rounding of a clipped
// end, so that no store can ever land outside the buffer.
template <uint32_t bytesPerPixel> inline void storeDirect(uint32_t x, uint32_t y, Colour colour) {
    if (!insideDrawingArea(x, y)) {
        return;
    }
    storePixel<bytesPerPixel>(pixelAddress<backPixels, bytesPerPixel>(x, y), colour);
}

template <uint32_t bytesPerPixel>
void walkDirect(float x1, float y1, float x2, float y2, Colour colour) {
    const auto store = [colour](float x, float y) {
        storeDirect<bytesPerPixel>(toPixelCoordinate(x), toPixelCoordinate(y), colour);
    };
    walkLine(x1, y1, x2, y2, store, [store, colour](float x, float y, float end, float slope) {
        if (bytesPerPixel == 1) {
            walkAlongXByPixels(x, y, end, slope, store);
            return;
        }
        // True-colour walks along x run in bytes from the whole column of the start, so they
        // begin at floor(x1) rather than at the fractional x1.
        const int32_t step = static_cast<int32_t>(bytesPerPixel);
        int32_t position = static_cast<int32_t>(std::floor(x)) * step;
        const float byteEnd = end * static_cast<float>(step);
        while (position <= byteEnd) {
            storeDirect<bytesPerPixel>(static_cast<uint32_t>(position / step), toPixelCoordinate(y),
                                       colour);
            position += step;
            y += slope;
        }
    });
}

} // namespace

void drawLineDirect(float x1, float y1, float x2, float y2, Colour colour) {
    if (!clipLineToScreen(&x1, &y1, &x2, &y2)) {
        return;
    }
    switch (display.pixelMode) {
    case pixelModePalettized:
        walkDirect<1>(x1, y1, x2, y2, colour);
        break;
    case pixelModeTrueColour24:
        walkDirect<3>(x1, y1, x2, y2, colour);
        break;
    case pixelModeTrueColour32:
        walkDirect<4>(x1, y1, x2, y2, colour);
        break;
    default:
        break;
    }
}
