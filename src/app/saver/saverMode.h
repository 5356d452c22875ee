// The program as a screensaver, in the mode its arguments chose (programOptions.saverMode):
// Windows' /s, /p, /c and /a with the real interfaces, XScreenSaver's -root, -window-id and
// -window on our own layer. Without saver arguments none of this runs.
#pragma once

#include "app/runSettings.h"
#include "platform/win32.h"

// Runs the chosen mode, which is not SaverMode::none; returns the exit status. A mode this
// build cannot run ends with one line on standard error and status 1.
int runSaver(HINSTANCE instance);

// The hack's internal resolution and drift speed when -size and -speed do not say.
const int defaultSaverWidth = 800;
const int defaultSaverHeight = 600;
const float defaultSaverSpeed = 20.0f;

// /s: the size and speed of the preferences (loadPreferences, wherever preferencesPath points),
// or the desktop's size and the default speed while there is no such file (none is written),
// flown by the autopilot alone until the person's first input. A size the display refuses gives
// way to the desktop's, with one line on standard error: a screensaver shows no error box.
RunSettings fullScreenSaverSettings();

// The hack: the size and speed of its options (-size, -speed) or the defaults above, flown by
// the autopilot alone until a SIGTERM; input changes nothing. No preferences file is read.
// -delay, -fps and --stats pace and measure its frames.
RunSettings hackSettings();
