// A one-line progress display for long renders: frames done, frames per second and the time
// left, rewritten in place on standard error. Quiet when standard error is not a terminal.
#pragma once

// Shows nothing unless standard error is a terminal.
void startProgress(int totalFrames);
// At most a few times a second.
void showProgress(int framesDone);
// Clears the line.
void endProgress();
