// Shared by the area, sprite, clip-window and circle tests: pixel sets, a recording plot slot
// and the reset of the clip window and mouse that every such test needs.
#pragma once

#include "support/memoryDisplay.h"
#include "support/systemReset.h"

#include "raster/clipWindow.h"
#include "window/inputState.h"

#include <set>
#include <utility>
#include <vector>

typedef std::set<std::pair<int32_t, int32_t>> PixelSet;

inline PixelSet touchedSet(const MemoryDisplay& memory, uint8_t fill = 0) {
    const auto touched = touchedPixels(memory, fill);
    return PixelSet(touched.begin(), touched.end());
}

// Every pixel of columns left..right, rows top..bottom, both ends included.
inline PixelSet block(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    PixelSet pixels;
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            pixels.insert({x, y});
        }
    }
    return pixels;
}

inline PixelSet unite(PixelSet a, const PixelSet& b) {
    a.insert(b.begin(), b.end());
    return a;
}

// The plot slot replaced by one that records every call before it plots.
struct PlotRecorder {
    static std::vector<std::pair<uint32_t, uint32_t>>& calls() {
        static std::vector<std::pair<uint32_t, uint32_t>> recorded;
        return recorded;
    }
    static PlotOperation& realPlot() {
        static PlotOperation plot;
        return plot;
    }
    static void record(uint32_t x, uint32_t y, Colour colour) {
        calls().emplace_back(x, y);
        realPlot()(x, y, colour);
    }
    static void install() {
        calls().clear();
        realPlot() = pixelOps.plot;
        pixelOps.plot = record;
    }
};
