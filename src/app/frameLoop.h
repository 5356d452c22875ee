// One frame of the demonstration, from steering to the message pump, and the loop of them.
#pragma once

// Returns non-zero when the frame ends the loop: a quit message, or Q or Escape held in the
// frame's keyboard snapshot. The frame is presented either way.
int runFrame();

// Runs frames until one ends the loop.
void runFrameLoop();
