// The per-frame message pump: keyboard snapshot, dispatch, quit, and the suspension of the
// display while the window is minimised.
#pragma once

#include <cstdint>

// Set by an application to have the window minimised at the next pump.
extern uint8_t minimiseRequested;

// Returns 1 when a quit message was taken, else 0. Does not return while the window is
// minimised; the display comes back with its picture before it does.
int pumpMessages();
