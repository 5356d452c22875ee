#include "scene/nodeMarker.h"

#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneCommands.h"
#include "scene/waveField.h"

#include <cstdint>

namespace {

// Pixel offsets from the projected node; a line is (x1, y1) to (x2, y2).
struct MarkerLine {
    int8_t x1;
    int8_t y1;
    int8_t x2;
    int8_t y2;
};

struct MarkerDot {
    int8_t x;
    int8_t y;
};

const MarkerLine ringLines[4] = {{-3, -1, -3, 1}, {3, -1, 3, 1}, {-1, -3, 1, -3}, {-1, 3, 1, 3}};
const MarkerDot ringDots[4] = {{-2, -2}, {-2, 2}, {2, -2}, {2, 2}};

// Decision fields 3 to 10 in order: stubs right, left, down, up (chosen one time in four),
// then corner blocks lower right and upper right as rows, lower right and lower left as
// columns (one time in eight).
struct MarkerExtra {
    int32_t choices;
    int32_t lineCount;
    MarkerLine lines[3];
};

const MarkerExtra markerExtras[8] = {
    {4, 1, {{0, 0, 2, 0}}},
    {4, 1, {{0, 0, -2, 0}}},
    {4, 1, {{0, 0, 0, 2}}},
    {4, 1, {{0, 0, 0, -2}}},
    {8, 3, {{0, 0, 2, 0}, {0, 1, 2, 1}, {0, 2, 1, 2}}},
    {8, 3, {{0, 0, 2, 0}, {0, -1, 2, -1}, {0, -2, 1, -2}}},
    {8, 3, {{0, 0, 0, 2}, {1, 0, 1, 2}, {2, 0, 2, 1}}},
    {8, 3, {{0, 0, 0, 2}, {-1, 0, -1, 2}, {-2, 0, -2, 1}}},
};

// The centre itself is used as it stands (adding 0 would turn −0 into +0); any other offset
// is a single-precision sum, s − 2 being the same as s + (−2).
inline float shifted(float s, int32_t offset) {
    return offset == 0 ? s : s + static_cast<float>(offset);
}

inline void drawMarkerLine(float sx, float sy, const MarkerLine& line, Colour colour) {
    sceneLine(shifted(sx, line.x1), shifted(sy, line.y1), shifted(sx, line.x2),
              shifted(sy, line.y2), colour);
}

} // namespace

bool nodeMarkerChosen(float z, float decisionValue) {
    if (z <= camera.cameraZ + 1.0f) {
        return false;
    }
    if (z >= camera.cameraZ + static_cast<float>(2 * display.screenWidth)) {
        return false;
    }
    return quantiseWaveValue(decisionValue, 5) != 0;
}

void drawChosenNodeMarker(float x, float y, float z, Colour colour, const float* extraValues) {
    float sx;
    float sy;
    projectPoint(x, y, z, &sx, &sy);
    for (const MarkerLine& line : ringLines) {
        drawMarkerLine(sx, sy, line, colour);
    }
    for (const MarkerDot& dot : ringDots) {
        sceneDot(shifted(sx, dot.x), shifted(sy, dot.y), colour);
    }
    for (int32_t i = 0; i < nodeMarkerExtraFields; ++i) {
        const MarkerExtra& extra = markerExtras[i];
        if (quantiseWaveValue(extraValues[i], extra.choices) != 0) {
            continue;
        }
        for (int32_t j = 0; j < extra.lineCount; ++j) {
            drawMarkerLine(sx, sy, extra.lines[j], colour);
        }
    }
}
