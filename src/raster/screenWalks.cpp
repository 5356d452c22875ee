#include "raster/screenWalks.h"

#include "raster/lines.h"
#include "raster/screenBlend.h"
#include "record/displayState.h"

#include <cmath>

namespace {

// Truncated positions as signed rows: the positions of a clipped walk lie within a pixel or two
// of the screen, where this order is the order of the positions.
inline int32_t rowOf(float y) {
    return static_cast<int32_t>(toPixelCoordinate(y));
}

template <uint32_t bytesPerPixel>
int64_t walkAlongY(const BlendTarget& target, const ScreenWalk& walk, int32_t top, int32_t bottom) {
    float x = walk.x;
    float y = walk.y;
    const float end = walk.end;
    const float slope = walk.slope;
    int64_t work = 0;
    while (y <= end && rowOf(y) < top) {
        x += slope;
        y += 1;
        ++work;
    }
    while (y <= end && rowOf(y) < bottom) {
        blendAt<bytesPerPixel>(target, toPixelCoordinate(x), toPixelCoordinate(y), walk.colour);
        x += slope;
        y += 1;
        work += 2;
    }
    return work;
}

// Along x the rows move by the slope's sign only: rising ones skip the rows above the band and
// stop below it, falling ones the other way round.
template <uint32_t bytesPerPixel>
int64_t walkAlongX(const BlendTarget& target, const ScreenWalk& walk, int32_t top, int32_t bottom) {
    float x = walk.x;
    float y = walk.y;
    const float end = walk.end;
    const float slope = walk.slope;
    int64_t work = 0;
    if (slope >= 0) {
        while (x <= end && rowOf(y) < top) {
            y += slope;
            x += 1;
            ++work;
        }
        while (x <= end && rowOf(y) < bottom) {
            blendAt<bytesPerPixel>(target, toPixelCoordinate(x), toPixelCoordinate(y), walk.colour);
            y += slope;
            x += 1;
            work += 2;
        }
    } else {
        while (x <= end && rowOf(y) >= bottom) {
            y += slope;
            x += 1;
            ++work;
        }
        while (x <= end && rowOf(y) >= top) {
            blendAt<bytesPerPixel>(target, toPixelCoordinate(x), toPixelCoordinate(y), walk.colour);
            y += slope;
            x += 1;
            work += 2;
        }
    }
    return work;
}

template <uint32_t bytesPerPixel>
int64_t drawInRows(const ScreenWalk* walks, size_t count, int32_t top, int32_t bottom) {
    const BlendTarget target = backBufferBlendTarget();
    int64_t work = 0;
    for (size_t i = 0; i < count; ++i) {
        const ScreenWalk& walk = walks[i];
        // A black blend changes nothing.
        if (walk.lastRow < top || walk.firstRow >= bottom || walk.colour == 0) {
            continue;
        }
        switch (walk.shape) {
        case screenWalkDot:
        case screenWalkPoint: {
            const uint32_t row = toPixelCoordinate(walk.y);
            if (row - static_cast<uint32_t>(top) < static_cast<uint32_t>(bottom - top)) {
                blendAt<bytesPerPixel>(target, toPixelCoordinate(walk.x), row, walk.colour);
            }
            work += 2;
            break;
        }
        case screenWalkAlongX:
            work += walkAlongX<bytesPerPixel>(target, walk, top, bottom);
            break;
        case screenWalkAlongY:
            work += walkAlongY<bytesPerPixel>(target, walk, top, bottom);
            break;
        }
    }
    return work;
}

} // namespace

bool settleScreenLine(float x1, float y1, float x2, float y2, Colour colour, ScreenWalk* walk) {
    const ClippedLine line = clipLine(x1, y1, x2, y2);
    if (!line.onScreen) {
        return false;
    }
    *walk = settleClippedScreenLine(line, colour);
    return true;
}

ScreenWalk settleClippedScreenLine(const ClippedLine& line, Colour colour) {
    const float x1 = line.cx1, y1 = line.cy1, x2 = line.cx2, y2 = line.cy2;
    const LineWalkStart start = startLineWalk(x1, y1, x2, y2);
    if (start.axis == lineWalkPoint) {
        const int32_t row = static_cast<int32_t>(toPixelCoordinate(start.y));
        return {start.x, start.y, start.x, 0.0f, colour, screenWalkPoint, row, row};
    }
    const double margin = lineStepStray(x1, y1, x2, y2);
    const int32_t firstRow = static_cast<int32_t>(std::floor(std::fmin(y1, y2) - margin)) - 1;
    const int32_t lastRow = static_cast<int32_t>(std::floor(std::fmax(y1, y2) + margin)) + 1;
    return {start.x,   start.y,
            start.end, start.slope,
            colour,    start.axis == lineWalkAlongX ? screenWalkAlongX : screenWalkAlongY,
            firstRow,  lastRow};
}

ScreenWalk settleScreenDot(float x, float y, Colour colour) {
    const int32_t row = static_cast<int32_t>(toPixelCoordinate(y));
    return {x, y, x, 0.0f, colour, screenWalkDot, row, row};
}

int64_t drawScreenWalksInRows(const ScreenWalk* walks, size_t count, int32_t top, int32_t bottom) {
    if (top < 0) {
        top = 0;
    }
    if (bottom <= top || display.backBuffer == nullptr) {
        return 0;
    }
    switch (display.pixelMode) {
    case pixelModeTrueColour24:
        return drawInRows<3>(walks, count, top, bottom);
    case pixelModeTrueColour32:
        return drawInRows<4>(walks, count, top, bottom);
    default:
        return 0; // no blend exists for 8-bit pixels
    }
}
