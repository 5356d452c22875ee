// The per-frame message pump: keyboard snapshot, dispatch, quit, and the suspension of the
// display while the window is minimised.
#pragma once

#include <cstdint>

// Set by an application to have the window minimised at the next pump.
extern uint8_t minimiseRequested;

// Returns 1 when a quit message was taken, else 0. Does not return while the window is
// minimised; the display comes back with its picture before it does.
int pumpMessages();

// The display's steps around a minimised window: taken down when the pump finds the window
// minimised, built up again once it is not, or dropped when the program quits meanwhile. The
// display lies above the window in the house, so it fills this record in with its own
// operations (display/displaySuspension.cpp) and the pump calls them through it, the way the
// platform layer reaches its host through `activeHost`.
struct MinimiseSteps {
    void (*suspend)();
    void (*restore)();
    void (*discard)();
};
extern const MinimiseSteps minimiseSteps;
