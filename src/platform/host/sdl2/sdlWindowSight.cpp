#include "platform/host/sdl2/sdlWindowSight.h"

#include "platform/host/sdl2/sdlState.h"
#include "platform/host/sdl2/sdlXlib.h"

#include <cstring>

#if defined(QUARNEL_HAVE_X11)
#include <SDL_syswm.h>
#endif

namespace {

#if defined(QUARNEL_HAVE_X11)
Window watched = 0;
bool covered = false;  // fully obscured by other windows
bool unmapped = false; // a foreign window its owner took off the screen
bool toldUnseen = false;
#endif

} // namespace

void sdlWatchWindowSight(void) {
#if defined(QUARNEL_HAVE_X11)
    watched = 0;
    covered = false;
    unmapped = false;
    toldUnseen = false;
    const char* driver = SDL_GetCurrentVideoDriver();
    // The root window is never covered, and is the whole screen's.
    if (!sdlHost.window || !driver || std::strcmp(driver, "x11") != 0 ||
        sdlHost.options.saverTarget == HostSaverTarget::rootWindow) {
        return;
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    Display* connection = sdlOwnXConnection();
    if (!SDL_GetWindowWMInfo(sdlHost.window, &info) || info.subsystem != SDL_SYSWM_X11 ||
        connection == nullptr) {
        return;
    }
    watched = info.info.x11.window;
    // SDL hears its own window's mapping; a foreign one's only this connection does.
    const long mask =
        VisibilityChangeMask | (sdlDrawsIntoForeignWindow() ? StructureNotifyMask : 0);
    const XlibCalls* x = sdlXlib();
    x->selectInput(connection, watched, mask);
    // Before the window first shows, which brings its first visibility.
    x->sync(connection, False);
#endif
}

bool sdlTakeSightChange(HostEvent* event) {
#if defined(QUARNEL_HAVE_X11)
    if (watched == 0) {
        return false;
    }
    const XlibCalls* x = sdlXlib();
    Display* connection = sdlOwnXConnection();
    while (x->pending(connection) > 0) {
        XEvent xEvent;
        x->nextEvent(connection, &xEvent);
        if (xEvent.xany.window != watched) {
            continue;
        }
        if (xEvent.type == VisibilityNotify) {
            covered = xEvent.xvisibility.state == VisibilityFullyObscured;
        } else if (xEvent.type == UnmapNotify) {
            unmapped = true;
        } else if (xEvent.type == MapNotify) {
            unmapped = false;
        }
    }
    const bool unseen = covered || unmapped;
    if (unseen == toldUnseen) {
        return false;
    }
    toldUnseen = unseen;
    *event = HostEvent{unseen ? HostEventKind::minimise : HostEventKind::restore, 0, 0, 0, 0};
    return true;
#else
    static_cast<void>(event);
    return false;
#endif
}
