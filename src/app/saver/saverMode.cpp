#include "app/saver/saverMode.h"

#include "app/appMain.h"
#include "app/preferences.h"
#include "app/programOptions.h"
#include "app/saver/saverHere.h"
#include "record/displayState.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

RunSettings fullScreenSaverSettings() {
    RunSettings settings;
    std::error_code ignored;
    if (std::filesystem::is_regular_file(preferencesPath, ignored)) {
        loadPreferences();
        settings.width = display.screenWidth;
        settings.height = display.screenHeight;
        settings.speed = speedPreference;
        settings.resolutionNote = preferencesResolutionNote();
    } else {
        // No settings chosen yet: the desktop as it is, and no file written for the dialog.
        settings.width = GetSystemMetrics(SM_CXSCREEN);
        settings.height = GetSystemMetrics(SM_CYSCREEN);
        settings.speed = defaultSaverSpeed;
    }
    settings.steering = Steering::watchedAutopilot;
    settings.endRules = endOnInput;
    settings.desktopFallback = true;
    return settings;
}

RunSettings hackSettings() {
    RunSettings settings;
    settings.width = programOptions.saverWidth > 0 ? programOptions.saverWidth : defaultSaverWidth;
    settings.height =
        programOptions.saverHeight > 0 ? programOptions.saverHeight : defaultSaverHeight;
    settings.speed = programOptions.saverSpeedGiven ? programOptions.saverSpeed : defaultSaverSpeed;
    settings.steering = Steering::watchedAutopilot;
    settings.endRules = endOnTermination;
    settings.frameStatistics = programOptions.frameStatistics;
    settings.frameRateReport = programOptions.saverFrameRate;
    settings.frameDelay = programOptions.saverDelay;
    return settings;
}

int runSaver(HINSTANCE instance) {
    if (saverModeRunsHere(programOptions.saverMode)) {
        return runSaverHere(instance);
    }
    std::fprintf(stderr, "quarnel: %s\n", saverModesHere);
    return 1;
}
