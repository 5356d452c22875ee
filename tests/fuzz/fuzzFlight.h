// The demonstration flown headless for a few frames, from a clean system, on a small screen of
// any depth: the start-up, the frame loop with its cell walk, scene, raster and tile present.
#pragma once

#include "app/appMain.h"
#include "app/cellWorkers.h"
#include "app/flightControl.h"
#include "app/frameLoop.h"
#include "display/displayModeChange.h"
#include "platform/host/headless/headlessHost.h"
#include "support/systemReset.h"

#include <cstdint>
#include <vector>

struct FuzzFlight {
    int32_t width;  // 1 to 64
    int32_t height; // 1 to 64
    int depth;      // 8, 24 or 32 bits
    uint32_t ticks;
    float speed;
    const std::vector<FlightStep>* steps; // null: no input but the drift
    bool autopilot;
    int frames;
};

inline int fuzzFramesFlown = 0;
inline int fuzzFramesWanted = 0;

// Escape held from the last frame's keyboard snapshot on, as quarnel-render ends its flights.
inline void fuzzAtFrameBoundary(void*) {
    if (++fuzzFramesFlown >= fuzzFramesWanted) {
        headlessHoldKey(VK_ESCAPE);
    }
}

inline void flyDemonstration(const FuzzFlight& flight) {
    resetSystemGlobals();
    setCellThreads(1);
    headlessSetTickCount(flight.ticks);
    if (flight.depth == 32) {
        headlessRefuseDepth(24);
    }
    fuzzFramesFlown = 0;
    fuzzFramesWanted = flight.frames;
    headlessSetKeyboardHook(fuzzAtFrameBoundary, nullptr);
    display.screenWidth = flight.width;
    display.screenHeight = flight.height;
    speedPreference = flight.speed;
    flightControl.playback = flight.steps;
    flightControl.autopilot = flight.autopilot;
    startDemonstration(GetModuleHandleA(nullptr));
    if (flight.depth == 8) {
        // The demonstration opens in true colour; a change at the same size changes nothing,
        // so 8 bits are reached through a size one pixel different.
        const int32_t other = flight.width < 64 ? flight.width + 1 : flight.width - 1;
        changeDisplayMode(other, flight.height, pixelModePalettized);
        changeDisplayMode(flight.width, flight.height, pixelModePalettized);
    }
    runFrameLoop();
    headlessSetKeyboardHook(nullptr, nullptr);
    resetSystemGlobals();
}

// Sizes from 1 to 64 and the three depths from any numbers.
inline int32_t fuzzSide(uint64_t value) {
    return static_cast<int32_t>(value % 64) + 1;
}
inline int fuzzDepth(uint64_t value) {
    const int depths[] = {8, 24, 32};
    return depths[value % 3];
}
