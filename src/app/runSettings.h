// What one run of the demonstration is, whichever door it came in by: each door (the
// preferences, quarnel-render's options, the web page's address, a screensaver's arguments)
// fills one of these and hands it to runDemonstration. Nothing else is set from outside.
#pragma once

#include "app/flight/flightFile.h"

#include <cstdint>
#include <vector>

// Where the steering of the frames comes from.
enum class Steering {
    person,    // the mouse and its buttons; the cursor goes back to the centre every frame
    flight,    // a flight played back through the mouse; past its end the mouse lets go
    autopilot, // the autopilot through the mouse, until the person moves or presses
    // The autopilot alone, for a screensaver: the person only watches, and the cursor is never
    // moved (the person's own moves are what may end the run).
    watchedAutopilot,
};

// What ends the run besides a quit message, which always does.
const uint32_t endOnQuitKeys = 1;    // Q or Escape held in a frame's keyboard snapshot
const uint32_t endOnInput = 2;       // a key or button pressed, or the mouse moved (a saver)
const uint32_t endOnTermination = 4; // SIGTERM, the way a daemon ends its hack

struct RunSettings {
    int32_t width = 800;
    int32_t height = 600;
    float speed = 20.0f; // the drift of the wave phases, as speedPreference
    int32_t threads = 0; // threads that grow the cells; 0: every hardware thread
    Steering steering = Steering::person;
    const std::vector<FlightStep>* flight = nullptr; // Steering::flight: lives as long as the run
    uint32_t endRules = endOnQuitKeys;
    uint32_t frames = 0; // the end of a flight: the run ends after this many frames; 0: never
    // Said with a fatal error while the display is set up, to tell where the size came from.
    const char* resolutionNote = nullptr;
    // A screensaver's: a size the display refuses gives way to the desktop's, with one line on
    // standard error, instead of the fatal error.
    bool desktopFallback = false;
    // --stats: the frames and the intervals between presents are measured, for the program to
    // say when the run has ended (sayFrameStatistics).
    bool frameStatistics = false;
    // The hack's -fps: the frames per second and the CPU per frame on standard error every few
    // seconds (framePacing.h).
    bool frameRateReport = false;
    uint32_t frameDelay = 0; // the hack's -delay: microseconds waited after each present
};
