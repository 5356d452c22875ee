// Xlib, loaded at run time from the library SDL itself uses, and a connection of the host's
// own for what it asks the X server beside SDL: the host needs nothing linked beyond SDL, and a
// program that never runs on X never loads it. Only where the build has Xlib's headers.
#pragma once

#if defined(QUARNEL_HAVE_X11)
#include <X11/Xlib.h>

struct XlibCalls {
    decltype(&XOpenDisplay) openDisplay;
    decltype(&XCloseDisplay) closeDisplay;
    decltype(&XDefaultRootWindow) defaultRootWindow;
    decltype(&XGetWindowAttributes) getWindowAttributes;
    decltype(&XSetErrorHandler) setErrorHandler;
    decltype(&XSync) sync;
    decltype(&XSelectInput) selectInput;
    decltype(&XPending) pending;
    decltype(&XNextEvent) nextEvent;
};

// The calls, or null (with SDL's error set) where the library cannot be loaded.
const XlibCalls* sdlXlib(void);
// The host's own connection to the X server of DISPLAY, opened at the first call; null where
// there is none. Events selected on it reach only the host, never SDL.
Display* sdlOwnXConnection(void);
#endif
