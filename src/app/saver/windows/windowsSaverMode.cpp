#include "app/appMain.h"
#include "app/preferences.h"
#include "app/programOptions.h"
#include "app/saver/saverHere.h"
#include "app/saver/saverMode.h"
#include "app/saver/windows/otherMonitors.h"
#include "app/saver/windows/windowsSaver.h"

#include <cstdint>

const char* const saverModesHere = "-root, -window-id and -window are for XScreenSaver on X11; "
                                   "on Windows use /s, /p HWND or /c";

bool saverModeRunsHere(SaverMode mode) {
    return mode == SaverMode::windowsFullScreen || mode == SaverMode::windowsPreview ||
           mode == SaverMode::windowsSettings || mode == SaverMode::windowsPassword;
}

int runSaverHere(HINSTANCE instance) {
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(programOptions.saverWindow));
    switch (programOptions.saverMode) {
    case SaverMode::windowsFullScreen: {
        useApplicationDataPreferences();
        const RunSettings settings = fullScreenSaverSettings();
        // Covered before the flight takes the primary, uncovered when it has ended.
        const OtherMonitorsCovered others(instance);
        return runDemonstration(instance, settings);
    }
    case SaverMode::windowsPreview:
        useApplicationDataPreferences();
        return runWindowsPreview(window);
    case SaverMode::windowsSettings:
        useApplicationDataPreferences();
        return runWindowsSettings(instance, window);
    default:
        return 0; // /a: passwords are the system's business these days
    }
}
