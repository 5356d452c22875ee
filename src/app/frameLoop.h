// One frame of the demonstration, from steering to the message pump, and the loop of them. Every
// door flies these same frames; the run's settings say where the steering comes from and what
// ends the run.
#pragma once

#include "app/runSettings.h"

// The run being flown (runDemonstration sets it): its steering and end rules.
extern RunSettings runSettings;

// The frame's first part: steering (the mouse, with the cursor back to the centre; or, when the
// person only watches, the autopilot's step), the speed, the forward step and the drift of the
// wave phases.
void moveCamera();

// moveCamera, then the visible cells grown and drawn into the back buffer (growVisibleCells):
// the frame up to its present.
void drawFrame();

// drawFrame, the present and what the run asks at it (paceFramePresent), the pump. Returns non-zero
// when the frame ends the run: a quit message, or what the run's end rules name (Q or Escape held
// in the frame's keyboard snapshot, the person acting, a SIGTERM, the flight's last frame). The
// frame is presented either way (presentAndClearScene, display/tilePresentation.h).
int runFrame();

// One whole frame of the run: runFrame, then the screenshot key (not when the person only
// watches) and the steering for the next frame (steerAfterPump). False once the run has ended.
// A host that owns the loop (a browser's animation frames) calls it once per turn.
bool flyFrame();

// startFramePacing, then flies frames until one ends the run.
void runFrameLoop();
