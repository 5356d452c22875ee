#include "platform/host/sdl2/sdlXErrors.h"

#include "platform/host/sdl2/sdlState.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#if defined(QUARNEL_HAVE_X11)
#include <X11/Xlib.h>
#endif

namespace {

std::atomic<bool> saverWindowGone{false};
std::atomic<bool> goneTold{false};

#if defined(QUARNEL_HAVE_X11)

bool saverTarget = false;

// Only async-safe calls: the handlers run inside Xlib, perhaps on a thread of the driver's.
void say(const char* text) {
    const ssize_t written = write(STDERR_FILENO, text, std::strlen(text));
    static_cast<void>(written);
}

int noteXError(Display*, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        if (!saverWindowGone.exchange(true)) {
            say("quarnel: the screensaver's window is gone; ending\n");
        }
    } else {
        static std::atomic<bool> told{false};
        if (!told.exchange(true)) {
            say("quarnel: an X request failed; going on\n");
        }
    }
    return 0;
}

int endWithTheServer(Display*) {
    say("quarnel: the X display went away; ending\n");
    _exit(saverTarget ? 0 : 1);
}

#endif

} // namespace

void sdlCatchXErrors(void) {
#if defined(QUARNEL_HAVE_X11)
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) {
        return;
    }
    // The library SDL itself loaded: the handlers are that connection's.
    void* library = SDL_LoadObject("libX11.so.6");
    if (library == nullptr) {
        return;
    }
    auto setIoHandler = reinterpret_cast<decltype(&XSetIOErrorHandler)>(
        SDL_LoadFunction(library, "XSetIOErrorHandler"));
    auto setHandler = reinterpret_cast<decltype(&XSetErrorHandler)>(
        SDL_LoadFunction(library, "XSetErrorHandler"));
    saverTarget = sdlDrawsForSaver();
    if (setIoHandler) {
        setIoHandler(endWithTheServer);
    }
    if (setHandler && sdlDrawsIntoForeignWindow()) {
        setHandler(noteXError);
    }
#endif
}

bool sdlTakeSaverWindowGone(void) {
    return saverWindowGone.load() && !goneTold.exchange(true);
}
