// The program as a screensaver, in the mode its arguments chose (programOptions.saverMode):
// Windows' /s, /p, /c and /a with the real interfaces, XScreenSaver's -root, -window-id and
// -window on our own layer. Without saver arguments none of this runs.
#pragma once

#include "platform/win32.h"

// Runs the chosen mode, which is not SaverMode::none; returns the exit status. A mode this
// build cannot run ends with one line on standard error and status 1.
int runSaver(HINSTANCE instance);

// The hack's internal resolution and drift speed when -size and -speed do not say.
const int defaultSaverWidth = 800;
const int defaultSaverHeight = 600;
const float defaultSaverSpeed = 20.0f;
