// The screensavers' frame loop: the autopilot flies, the person only watches. The frames are
// the demonstration's own (speed, drift, cell walk, present, pump); only the steering comes
// from the autopilot instead of the mouse, and the cursor is left where it is.
#pragma once

#include <cstdint>

// Frames during which the mouse may still settle (a mode change, a warp reported late): its
// position then becomes the one that a later move is measured from.
const uint32_t saverSettleFrames = 10;
// A move this many pixels or fewer from the settled position is not the person's.
const int32_t saverMouseSlack = 4;

// Frame k of the flight: the autopilot's step after frame k - 1 (none before frame 1), for the
// tick count the scene was seeded with, moves the camera and sets its speed; the phases drift and
// the visible cells grow into the back buffer. Neither presents nor pumps.
void flySaverFrame(uint32_t frame);

// Forgets what the person did before: keys held now are ignored until they are let go.
void startInputWatch();
// After the pump of frame k: true when the person pressed a key or a mouse button, or moved
// the mouse more than saverMouseSlack pixels from where it settled.
bool personActed(uint32_t frame);

// Runs frames until a quit message, a SIGTERM (terminationSignal.h) or, when endOnInput, the
// person acting: personActed, or a key or button press waiting in the queue before the pump.
// Returns 0.
int runSaverLoop(bool endOnInput);
