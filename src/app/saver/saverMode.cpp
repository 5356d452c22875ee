#include "app/saver/saverMode.h"

#include "app/appMain.h"
#include "app/preferences.h"
#include "app/programOptions.h"
#include "app/saver/windowsSaver.h"
#include "platform/hostWindow.h"
#include "record/displayState.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

bool isWindowsMode(SaverMode mode) {
    return mode == SaverMode::windowsFullScreen || mode == SaverMode::windowsPreview ||
           mode == SaverMode::windowsSettings || mode == SaverMode::windowsPassword;
}

#if defined(QUARNEL_REAL_DIRECTDRAW)

int runWindowsMode(HINSTANCE instance) {
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(programOptions.saverWindow));
    switch (programOptions.saverMode) {
    case SaverMode::windowsFullScreen:
        useApplicationDataPreferences();
        return runDemonstration(instance, fullScreenSaverSettings());
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

#else

// The daemon's window: XSCREENSAVER_WINDOW with -root when it is set, else what was asked.
bool chooseSaverTarget(HostWindowOptions* window) {
    window->saverWindowId = 0;
    if (programOptions.saverMode == SaverMode::x11OwnWindow) {
        window->saverTarget = HostSaverTarget::ownWindow;
        window->windowed = true;
    } else if (programOptions.saverMode == SaverMode::x11WindowId) {
        window->saverTarget = HostSaverTarget::foreignWindow;
        window->saverWindowId = programOptions.saverWindow;
    } else {
        const char* given = std::getenv("XSCREENSAVER_WINDOW");
        uint64_t id = 0;
        if (given == nullptr || given[0] == '\0') {
            window->saverTarget = HostSaverTarget::rootWindow;
        } else if (parseWindowId(given, &id)) {
            window->saverTarget = HostSaverTarget::foreignWindow;
            window->saverWindowId = id;
        } else {
            std::fprintf(
                stderr, "quarnel: XSCREENSAVER_WINDOW is \"%s\", which is no X window id\n", given);
            return false;
        }
    }
    return true;
}

// No preferences file: a hack's settings are its options, and its working folder is not ours.
int runHack(HINSTANCE instance) {
    if (!chooseSaverTarget(&programOptions.window)) {
        return 1;
    }
    chooseHostWindow(programOptions.window);
    return runDemonstration(instance, hackSettings());
}

#endif

} // namespace

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
    return settings;
}

int runSaver(HINSTANCE instance) {
    const bool windowsMode = isWindowsMode(programOptions.saverMode);
#if defined(QUARNEL_REAL_DIRECTDRAW)
    if (windowsMode) {
        return runWindowsMode(instance);
    }
    std::fprintf(stderr, "quarnel: -root, -window-id and -window are for XScreenSaver on X11; "
                         "on Windows use /s, /p HWND or /c\n");
    return 1;
#else
    if (!windowsMode) {
        return runHack(instance);
    }
    std::fprintf(stderr, "quarnel: /s, /p, /c and /a are for the Windows screensaver "
                         "(quarnel.scr); here use -root, -window-id ID or -window\n");
    return 1;
#endif
}
