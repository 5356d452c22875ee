// Changing resolution and depth at run time, with fall-backs between 24 and 32 bits.
#pragma once

#include "record/displayState.h"

#include <cstdint>

// What changeDisplayMode achieved.
const int32_t modeChangeNothingDone = 0;    // same size already, or no mode at all could be set
const int32_t modeChangeAsRequested = 1;    // the requested mode is set
const int32_t modeChangeThirtyTwoBits = 2;  // 24 bits refused, 32 set
const int32_t modeChangeTwentyFourBits = 3; // 32 bits refused, 24 set
const int32_t modeChangePreviousMode = 4;   // refused (alternative too); the previous mode is back

// Sets width x height at mode × 8 bits. When width and height are already those of the whole
// screen it returns 0 and changes nothing, whatever the mode. Otherwise the primary, the back
// buffer and the layer (if any) are released, the mode is set (or an alternative, or the previous
// one), the primary and a back buffer (and a layer, if there was one) are made afresh at the size
// now in force, and the PixelOps are selected for the new pixelMode; the old picture is gone.
//
// Into 8 bits from 8 bits the palette on screen is kept; from true colour the cube palette at
// gamma 1.0 is installed, in a palette object made for it when the run has none yet. A mode
// other than 1, 3 or 4 is treated as refused. Returns 0 when no display is open.
//
// Expects the back buffer (and layer) locked as between frames and the primary unlocked. A
// clip window is taken away for the change, so that sizes are those of the whole screen, and
// set again afterwards, cut to the screen then in force.
int32_t changeDisplayMode(int32_t width, int32_t height, PixelMode mode);
