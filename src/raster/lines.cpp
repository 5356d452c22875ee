// Every line: the one walk, the clipping, the blended and slot lines and the direct stores.
#include "raster/lines.h"

#include "raster/pixelBuffers.h"
#include "raster/screenBlend.h"
#include "record/displayState.h"

#include <cmath>

namespace {

// plot(x, y) receives float positions. walkAlongX takes over walks along x: it receives the
// start, the end's x and the slope (true-colour direct stores walk those in bytes).
template <typename Plot, typename AlongX>
inline void walkLine(float x1, float y1, float x2, float y2, Plot plot, AlongX walkAlongX) {
    const LineWalkStart walk = startLineWalk(x1, y1, x2, y2);
    switch (walk.axis) {
    case lineWalkPoint:
        plot(walk.x, walk.y);
        break;
    case lineWalkAlongX:
        walkAlongX(walk.x, walk.y, walk.end, walk.slope);
        break;
    case lineWalkAlongY:
        for (float x = walk.x, y = walk.y; y <= walk.end; x += walk.slope, y += 1) {
            plot(x, y);
        }
        break;
    }
}

template <typename Plot>
inline void walkAlongXByPixels(float x1, float y1, float x2, float slope, Plot plot) {
    while (x1 <= x2) {
        plot(x1, y1);
        y1 += slope;
        x1 += 1;
    }
}

// Every pixel of the walk through plot, along x as along y.
template <typename Plot>
inline void walkByPixels(float x1, float y1, float x2, float y2, Plot plot) {
    walkLine(x1, y1, x2, y2, plot, [plot](float x, float y, float end, float slope) {
        walkAlongXByPixels(x, y, end, slope, plot);
    });
}

// v - v is +0 exactly for every finite v and NaN for an infinity or a NaN: one sum and one
// test, where four isfinite tests become lane shuffles in WebAssembly.
bool allFinite(float a, float b, float c, float d) {
    return (a - a) + (b - b) + (c - c) + (d - d) == 0.0f;
}

// An end that truncates onto a pixel of the area: (-1, size) along each axis.
bool onThePixels(float v, float size) {
    return v > -1.0f && v < size;
}

bool endsOnThePixels(float x1, float y1, float x2, float y2, float width, float height) {
    return onThePixels(x1, width) && onThePixels(x2, width) && onThePixels(y1, height) &&
           onThePixels(y2, height);
}

// Beyond this magnitude a step of one no longer moves a float position, and a walk would never
// end; such lines (and non-finite ones) are not drawn by the unclipped variants.
const float largestSteppablePosition = 16777216.0f;

bool steppable(float v) {
    return std::fabs(v) < largestSteppablePosition;
}

bool steppableLine(float x1, float y1, float x2, float y2) {
    return steppable(x1) && steppable(y1) && steppable(x2) && steppable(y2);
}

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

// A stepped position strays from the line only by its rounding, at most an ulp of the largest
// coordinate per step and coordinate (2^-23 of it); the bound doubles that and adds half a pixel.
double lineStepStray(float x1, float y1, float x2, float y2) {
    const double largest =
        std::fmax(std::fmax(std::fabs(x1), std::fabs(y1)), std::fmax(std::fabs(x2), std::fabs(y2)));
    const double steps = std::fmax(std::fabs(static_cast<double>(x2) - x1),
                                   std::fabs(static_cast<double>(y2) - y1)) +
                         2.0;
    return 0.5 + steps * (largest + 2.0) * 0x1p-22;
}

void stepLine(float x1, float y1, float x2, float y2, PlotOperation const* slot, Colour colour) {
    walkByPixels(x1, y1, x2, y2, [slot, colour](float x, float y) {
        (*slot)(toPixelCoordinate(x), toPixelCoordinate(y), colour);
    });
}

namespace {

// A line's ends while they are clipped.
struct LineEnds {
    float x1;
    float y1;
    float x2;
    float y2;
};

// Edges in the order left, right, top, bottom, all with the deltas of the line as it was
// given; each move slides an end along the line toward the other end. Ends exactly on an edge
// are inside. False when the line misses the area. The slides work on copies of the ends,
// stored back once: stores to one end or the other would be merged into stores through a
// chosen address, which keeps the ends in memory (the WebAssembly stack) after inlining.
inline bool slideEndsToTheEdges(LineEnds& ends, float xMax, float yMax) {
    float x1 = ends.x1, y1 = ends.y1, x2 = ends.x2, y2 = ends.y2;
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    bool hit = false;
    if (x1 < 0) {
        if (x2 < 0) {
            goto done;
        }
        y1 = y1 - dy * x1 / dx;
        x1 = 0;
    } else if (x2 < 0) {
        y2 = y2 - dy * x2 / dx;
        x2 = 0;
    }

    if (x1 > xMax) {
        if (x2 > xMax) {
            goto done;
        }
        y1 = y1 - (x1 - xMax) * dy / dx;
        x1 = xMax;
    } else if (x2 > xMax) {
        y2 = y2 - (x2 - xMax) * dy / dx;
        x2 = xMax;
    }

    if (y1 < 0) {
        if (y2 < 0) {
            goto done;
        }
        x1 = x1 - dx * y1 / dy;
        y1 = 0;
    } else if (y2 < 0) {
        x2 = x2 - dx * y2 / dy;
        y2 = 0;
    }

    if (y1 > yMax) {
        if (y2 > yMax) {
            goto done;
        }
        x1 = x1 - (y1 - yMax) * dx / dy;
        y1 = yMax;
    } else if (y2 > yMax) {
        x2 = x2 - (y2 - yMax) * dx / dy;
        y2 = yMax;
    }
    hit = true;
done:
    ends = LineEnds{x1, y1, x2, y2};
    return hit;
}

} // namespace

// In exact arithmetic one pass over the edges leaves the ends inside the area. In float, the
// slides of a line with huge deltas round by ulps of those deltas, and can leave an end pixels
// outside (or, for a nearly degenerate line, millions of pixels out): such ends are slid again
// with the deltas of the line between them, which are small, and a line whose ends still do not
// truncate onto the area is not drawn. Lines whose ends are only rounded past an edge by less
// than a pixel are walked as they are.
ClippedLine clipLine(float x1, float y1, float x2, float y2) {
    ClippedLine line = {x1, y1, x2, y2, x1, y1, x2, y2, false};
    // Non-finite ends, or ends so far out that the arithmetic overflows, would leave NaN
    // positions that no test below rejects.
    if (!allFinite(x1, y1, x2, y2)) {
        return line;
    }
    const float xMax = static_cast<float>(display.screenWidth - 1);
    const float yMax = static_cast<float>(display.screenHeight - 1);
    const float width = static_cast<float>(display.screenWidth);
    const float height = static_cast<float>(display.screenHeight);
    LineEnds e = {x1, y1, x2, y2};
    bool onScreen = slideEndsToTheEdges(e, xMax, yMax) && allFinite(e.x1, e.y1, e.x2, e.y2);
    if (onScreen && !endsOnThePixels(e.x1, e.y1, e.x2, e.y2, width, height)) {
        onScreen = slideEndsToTheEdges(e, xMax, yMax) && allFinite(e.x1, e.y1, e.x2, e.y2) &&
                   endsOnThePixels(e.x1, e.y1, e.x2, e.y2, width, height);
    }
    line.cx1 = e.x1;
    line.cy1 = e.y1;
    line.cx2 = e.x2;
    line.cy2 = e.y2;
    line.onScreen = onScreen;
    return line;
}

// The ends are left as the clipping left them, whatever it answers.
bool clipLineToScreen(float* x1, float* y1, float* x2, float* y2) {
    const ClippedLine line = clipLine(*x1, *y1, *x2, *y2);
    *x1 = line.cx1;
    *y1 = line.cy1;
    *x2 = line.cx2;
    *y2 = line.cy2;
    return line.onScreen;
}

// The blended line of the scene and the two unclipped slot lines of the library.

namespace {

// plotScreen's true-colour blends stepped without the slot: one call per line, not per pixel,
// and the back buffer read once.
template <uint32_t bytesPerPixel>
void stepBlendedLine(float x1, float y1, float x2, float y2, Colour colour) {
    if (colour == 0) {
        return; // a black blend changes nothing
    }
    const BlendTarget target = backBufferBlendTarget();
    walkByPixels(x1, y1, x2, y2, [&target, colour](float x, float y) {
        blendAt<bytesPerPixel>(target, toPixelCoordinate(x), toPixelCoordinate(y), colour);
    });
}

} // namespace

void drawClippedLineScreen(const ClippedLine& line, Colour colour) {
    if (plotScreen == blendScreen24) {
        stepBlendedLine<3>(line.cx1, line.cy1, line.cx2, line.cy2, colour);
    } else if (plotScreen == blendScreen32) {
        stepBlendedLine<4>(line.cx1, line.cy1, line.cx2, line.cy2, colour);
    } else {
        stepLine(line.cx1, line.cy1, line.cx2, line.cy2, &plotScreen, colour);
    }
}

void drawLineScreen(float x1, float y1, float x2, float y2, Colour colour) {
    const ClippedLine line = clipLine(x1, y1, x2, y2);
    if (line.onScreen) {
        drawClippedLineScreen(line, colour);
    }
}

void drawLineFront(float x1, float y1, float x2, float y2, Colour colour) {
    if (!steppableLine(x1, y1, x2, y2)) {
        return;
    }
    stepLine(x1, y1, x2, y2, &pixelOps.plotFront, colour & 0xFF);
}

void drawLineLayer(float x1, float y1, float x2, float y2, Colour colour) {
    if (!steppableLine(x1, y1, x2, y2)) {
        return;
    }
    stepLine(x1, y1, x2, y2, &pixelOps.plotLayer, colour & 0xFF);
}

// Lines stored straight into the back buffer, overwriting what is there: the progress bar and
// the mouse pointer draw with it.
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
