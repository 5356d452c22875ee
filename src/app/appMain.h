// The demonstration's main routine: preferences, window, display, scene, camera, then the
// frame loop until the user quits; and the one entry every door runs it through.
#pragma once

#include "app/runSettings.h"
#include "platform/win32.h"

#include <cstdint>

extern const char* const windowTitle;

// The start-up after the settings are in place: window, display, black screen, scene, camera,
// and the mouse at the screen centre.
void startDemonstration(HINSTANCE instance);

// Puts the settings in place (the screen size, the speed, the threads, the steering, the end
// rules) and starts the demonstration; the frames are then flown with flyFrame.
void startRun(HINSTANCE instance, const RunSettings& settings);

// startRun, then the frame loop until the run ends. Returns 0.
int runDemonstration(HINSTANCE instance, const RunSettings& settings);

// What the process entry's options add to the demonstration's run, which the preferences know
// nothing of: the threads that grow the cells (0: all), the autopilot and the frame statistics
// at the end (RunSettings::frameStatistics). Until it is called, every thread, the person and
// no statistics.
void setDemonstrationOptions(int32_t threads, bool autopilot, bool frameStatistics);

// loadPreferences, then runDemonstration with the size and speed it read and the process
// entry's options. Only instance is used; the command line and the show command change nothing.
// Returns 0 when the frame loop ends.
int appMain(HINSTANCE instance, HINSTANCE previousInstance, const char* commandLine,
            int showCommand);
