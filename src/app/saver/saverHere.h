// The screensaver modes of the system this build runs on: Windows' /s, /p, /c and /a with the
// real interfaces (app/saver/windows), XScreenSaver's -root, -window-id and -window on our own
// layer (app/saver/x11). Each build compiles exactly one of the two.
#pragma once

#include "app/programOptions.h"
#include "platform/win32.h"

// Whether this build's saver can run the mode.
bool saverModeRunsHere(SaverMode mode);

// Runs the chosen mode, one that saverModeRunsHere; returns the exit status.
int runSaverHere(HINSTANCE instance);

// Said on standard error, with status 1, for a mode of the other system's saver.
extern const char* const saverModesHere;
