// The end on input of a screensaver's run: whether the person pressed a key or a button, or
// moved the mouse, since the run began. The autopilot never moves the cursor in such a run, so
// every move is the person's, once the mouse has settled.
#pragma once

#include <cstdint>

// Frames during which the mouse may still settle (a mode change, a warp reported late): its
// position then becomes the one that a later move is measured from.
const uint32_t saverSettleFrames = 10;
// A move this many pixels or fewer from the settled position is not the person's.
const int32_t saverMouseSlack = 4;

// Forgets what the person did before: keys held now are ignored until they are let go.
void startInputWatch();

// Before a pump: true when a key or button press waits in the queue (a press and its release
// taken by one pump leave no trace in the snapshot or the button bits).
bool pressQueued();

// After the pump of frame k: true when the person pressed a key or a mouse button, or moved
// the mouse more than saverMouseSlack pixels from where it settled.
bool personActed(uint32_t frame);
