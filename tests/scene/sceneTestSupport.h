// Test scaffolding for the scene: a memory back buffer behind the display record, wave fields
// with chosen constant values, and a fixture that puts back every global the scene touches.
#pragma once

#include "app/cellWalk.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "scene/structureGenerator.h"
#include "support/systemReset.h"
#include "util/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

const double halfPi = 1.5707963267948966;

// Zero frequencies: the same value everywhere. The three sines each equal 2v − 1, so the
// field's value is v up to rounding.
inline WaveField constantField(double value) {
    const float phase = static_cast<float>(std::asin(2.0 * value - 1.0));
    return WaveField{0.0f, 0.0f, 0.0f, phase, phase, phase};
}
// Exactly 1.0 once rounded to float, and below 0.000001.
inline WaveField peakField() {
    const float phase = static_cast<float>(halfPi);
    return WaveField{0.0f, 0.0f, 0.0f, phase, phase, phase};
}
inline WaveField troughField() {
    const float phase = static_cast<float>(-halfPi);
    return WaveField{0.0f, 0.0f, 0.0f, phase, phase, phase};
}
// All zeros: exactly 0.5.
inline WaveField halfField() {
    return WaveField{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
}

inline void setAllFields(const WaveField& field) {
    for (WaveField& f : sceneParameters.branchFields) {
        f = field;
    }
    for (WaveField& f : sceneParameters.decisionFields) {
        f = field;
    }
    sceneParameters.colourField = field;
}

struct MemoryScreen {
    std::vector<uint8_t> bytes;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;
    PixelMode mode = 0;
};

// Every byte starts as fill; the pitch carries padding so that rows are stepped by the pitch.
inline void openMemoryScreen(MemoryScreen* screen, int32_t width, int32_t height, PixelMode mode,
                             int32_t padding = 12, uint8_t fill = 0) {
    screen->width = width;
    screen->height = height;
    screen->mode = mode;
    screen->pitch = width * mode + padding;
    screen->bytes.assign(static_cast<size_t>(screen->pitch) * height, fill);
    display.screenWidth = width;
    display.screenHeight = height;
    display.pixelMode = mode;
    display.backBuffer = screen->bytes.data();
    display.backPitch = screen->pitch;
    selectPixelOps();
}

inline Colour screenColour(const MemoryScreen& screen, int32_t x, int32_t y) {
    const uint8_t* p = screen.bytes.data() + static_cast<size_t>(y) * screen.pitch +
                       static_cast<size_t>(x) * screen.mode;
    return p[0] | p[1] << 8 | static_cast<Colour>(p[2]) << 16;
}

inline std::vector<std::pair<int32_t, int32_t>> litPixels(const MemoryScreen& screen) {
    std::vector<std::pair<int32_t, int32_t>> lit;
    for (int32_t y = 0; y < screen.height; ++y) {
        for (int32_t x = 0; x < screen.width; ++x) {
            if (screenColour(screen, x, y) != 0) {
                lit.emplace_back(x, y);
            }
        }
    }
    return lit;
}

// FNV-1a over the blue, green and red bytes of every pixel, row by row; padding and the
// fourth byte of 32-bit pixels are left out, so it names the picture, not the layout.
inline uint64_t pictureChecksum(const MemoryScreen& screen) {
    uint64_t hash = 14695981039346656037ull;
    for (int32_t y = 0; y < screen.height; ++y) {
        for (int32_t x = 0; x < screen.width; ++x) {
            const Colour c = screenColour(screen, x, y);
            for (int32_t shift = 0; shift <= 16; shift += 8) {
                hash ^= (c >> shift) & 255;
                hash *= 1099511628211ull;
            }
        }
    }
    return hash;
}

inline void growCellStructure(int32_t, int32_t, int32_t, float x, float y, float z, Colour fog) {
    growStructure(x, y, z, fog);
}

// The frame loop's walk over the 165 cells in front of the camera, near to far, each grown
// with its fog grey.
inline void growVisibleCells() {
    walkVisibleCells(growCellStructure);
}

// Starts and ends every test with the system's globals as a process starts with them.
class SceneTest : public SystemTest {
  protected:
};
