// One frame of the demonstration, from steering to the message pump, and the loop of them.
#pragma once

// The frame's first part: steering, the cursor back to the centre, the speed, the forward step
// and the drift of the wave phases.
void moveCamera();

// Returns non-zero when the frame ends the loop: a quit message, or Q or Escape held in the
// frame's keyboard snapshot. The frame is presented either way (presentAndClearScene,
// display/tilePresentation.h).
int runFrame();

// Runs frames until one ends the loop; after each frame's pump, takeScreenshotOnKey and
// steerAfterPump.
void runFrameLoop();
