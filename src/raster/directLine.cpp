// Lines stored straight into the back buffer, overwriting what is there: the progress bar and
// the mouse pointer draw with it.
#include "display/displayState.h"
#include "raster/lines.h"
#include "raster/pixelBuffers.h"

#include <cmath>
#include <utility>

namespace {

const double tinyLineThreshold = 0.1;

// The clipping keeps the walk inside the area; the test guards the last rounding of a clipped
// end, so that no store can ever land outside the buffer.
template <uint32_t bytesPerPixel> inline void storeDirect(uint32_t x, uint32_t y, Colour colour) {
    if (!insideDrawingArea(x, y)) {
        return;
    }
    uint8_t* pixel = pixelAddress<backPixels, bytesPerPixel>(x, y);
    if (bytesPerPixel == 1) {
        *pixel = static_cast<uint8_t>(colour);
    } else {
        storeTrueColour(pixel, colour);
    }
}

template <uint32_t bytesPerPixel>
void walkDirect(float x1, float y1, float x2, float y2, Colour colour) {
    float dx = x2 - x1;
    float dy = y2 - y1;
    if (dx * dx + dy * dy < tinyLineThreshold) {
        storeDirect<bytesPerPixel>(toPixelCoordinate(x1), toPixelCoordinate(y1), colour);
        return;
    }
    if (dx + dy < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
        dx = -dx;
        dy = -dy;
    }
    if (dy < dx) {
        const float slope = dy / dx;
        if (bytesPerPixel == 1) {
            while (x1 <= x2) {
                storeDirect<1>(toPixelCoordinate(x1), toPixelCoordinate(y1), colour);
                y1 += slope;
                x1 += 1;
            }
            return;
        }
        // True-colour walks along x run in bytes from the whole column of the start, so they
        // begin at floor(x1) rather than at the fractional x1.
        const int32_t step = static_cast<int32_t>(bytesPerPixel);
        int32_t position = static_cast<int32_t>(std::floor(x1)) * step;
        const float end = x2 * static_cast<float>(step);
        while (position <= end) {
            storeDirect<bytesPerPixel>(static_cast<uint32_t>(position / step),
                                       toPixelCoordinate(y1), colour);
            position += step;
            y1 += slope;
        }
    } else {
        const float slope = dx / dy;
        while (y1 <= y2) {
            storeDirect<bytesPerPixel>(toPixelCoordinate(x1), toPixelCoordinate(y1), colour);
            x1 += slope;
            y1 += 1;
        }
    }
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
