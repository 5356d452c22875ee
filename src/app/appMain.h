// The demonstration's main routine: preferences, window, display, scene, camera, then the
// frame loop until the user quits.
#pragma once

#include "platform/win32.h"

extern const char* const windowTitle;

// The start-up after the preferences: window, display, black screen, scene, camera, and the
// mouse at the screen centre.
void startDemonstration(HINSTANCE instance);

// Only instance is used; the command line and the show command change nothing. Returns 0
// when the frame loop ends.
int appMain(HINSTANCE instance, HINSTANCE previousInstance, const char* commandLine,
            int showCommand);
