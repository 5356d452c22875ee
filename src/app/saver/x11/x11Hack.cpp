// The XScreenSaver hack: the daemon's window (or the root, or a window of the program's own),
// flown by the autopilot until a SIGTERM.
#include "app/appMain.h"
#include "app/programOptions.h"
#include "app/saver/saverHere.h"
#include "app/saver/saverMode.h"
#include "platform/hostWindow.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

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

} // namespace

const char* const saverModesHere = "/s, /p, /c and /a are for the Windows screensaver "
                                   "(quarnel.scr); here use -root, -window-id ID or -window";

bool saverModeRunsHere(SaverMode mode) {
    return mode == SaverMode::x11Root || mode == SaverMode::x11WindowId ||
           mode == SaverMode::x11OwnWindow;
}

// No preferences file: a hack's settings are its options, and its working folder is not ours.
int runSaverHere(HINSTANCE instance) {
    if (!chooseSaverTarget(&programOptions.window)) {
        return 1;
    }
    chooseHostWindow(programOptions.window);
    return runDemonstration(instance, hackSettings());
}
