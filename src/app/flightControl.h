// What steers the frame loop besides the person, and the keeping of the flight. After every
// frame's pump, a flight being played back or the autopilot sets the mouse offset and buttons
// that the next frame sees, and a recording takes down what the next frame will see. Nothing
// here changes what a frame does with its input.
#pragma once

#include "app/flight/flightFile.h"

#include <cstdint>
#include <vector>

struct FlightControl {
    const std::vector<FlightStep>* playback; // null: no flight is played back
    bool autopilot;                          // flies until the person moves or presses
    // The autopilot alone (a screensaver): its step for the next frame goes to the camera
    // directly, never through the mouse, which is the person's.
    bool watched;
    FlightStep next;
    uint32_t framesPumped;
    // The input the autopilot left, to tell the person's own from it.
    int32_t autopilotX;
    int32_t autopilotY;
};

extern FlightControl flightControl;

// Runs after every frame's pump.
void steerAfterPump();
