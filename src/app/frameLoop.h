// One frame of the demonstration, from steering to the message pump, and the loop of them.
#pragma once

// The frame's first part: steering, the cursor back to the centre, the speed, the forward step
// and the drift of the wave phases.
void moveCamera();

// The frame's end: shows the back buffer and clears it for the next frame, copying and zeroing
// only the scene's drawn tiles where nothing else has touched the screen or the buffer.
void presentAndClearScene();

// Returns non-zero when the frame ends the loop: a quit message, or Q or Escape held in the
// frame's keyboard snapshot. The frame is presented either way.
int runFrame();

// Runs frames until one ends the loop; after each frame's pump, takeScreenshotOnKey and
// steerAfterPump.
void runFrameLoop();
