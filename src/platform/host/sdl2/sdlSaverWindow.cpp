// The picture where a screensaver daemon wants it: in a window the daemon made (SDL takes it
// over with SDL_CreateWindowFrom and draws with its software renderer, which needs nothing from
// the window but its pixels) or on the root window. Such windows are left to their owner: no
// title, no cursor games, no input expected. A window of the saver's own (-window) is the
// host's usual window, resizable, without the cursor games either.
#include "platform/host/sdl2/sdlState.h"
#include "platform/host/sdl2/sdlXErrors.h"
#include "platform/host/sdl2/sdlXlib.h"

#include <cstdio>

namespace {

#if defined(QUARNEL_HAVE_X11)

bool xErrorSeen = false;

int noteXError(Display*, XErrorEvent*) {
    xErrorSeen = true;
    return 0;
}

// Asked of the X server first: a bad id given to SDL would end the program in Xlib's default
// error handler, with a message about requests instead of about the id.
bool findXWindow(bool root, uint64_t* id) {
    const XlibCalls* x = sdlXlib();
    if (x == nullptr) {
        std::fprintf(stderr, "quarnel: Xlib cannot be loaded: %s\n", SDL_GetError());
        return false;
    }
    Display* connection = x->openDisplay(nullptr);
    if (connection == nullptr) {
        const char* name = SDL_getenv("DISPLAY");
        std::fprintf(stderr, "quarnel: no X display to draw on (DISPLAY is %s)\n",
                     name ? name : "not set");
        return false;
    }
    bool found = true;
    if (root) {
        *id = x->defaultRootWindow(connection);
    } else {
        XErrorHandler previous = x->setErrorHandler(noteXError);
        xErrorSeen = false;
        XWindowAttributes attributes;
        const Status answered =
            x->getWindowAttributes(connection, static_cast<Window>(*id), &attributes);
        x->sync(connection, False);
        x->setErrorHandler(previous);
        found = answered != 0 && !xErrorSeen;
        if (!found) {
            std::fprintf(stderr, "quarnel: there is no X window 0x%llx to draw into\n",
                         static_cast<unsigned long long>(*id));
        }
    }
    x->closeDisplay(connection);
    return found;
}

// The window's size now, asked on a connection of the host's own: SDL hears nothing of a window
// it did not make, and selecting its changes on SDL's connection would bring SDL the window's
// end too, while the hack is still answering its SIGTERM.
bool foreignWindowSize(int* width, int* height) {
    const XlibCalls* x = sdlXlib();
    Display* connection = sdlOwnXConnection();
    XWindowAttributes attributes;
    if (connection == nullptr ||
        x->getWindowAttributes(connection, static_cast<Window>(sdlHost.options.saverWindowId),
                               &attributes) == 0) {
        return false;
    }
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

#else

bool foreignWindowSize(int*, int*) {
    return false;
}

bool findXWindow(bool root, uint64_t*) {
    if (root) {
        std::fprintf(stderr, "quarnel: this build cannot find the root window (built without "
                             "Xlib); give the window with -window-id\n");
        return false;
    }
    return true;
}

#endif

bool fail(const char* what) {
    std::fprintf(stderr, "quarnel: %s: %s\n", what, SDL_GetError());
    return false;
}

} // namespace

bool sdlDrawsForSaver(void) {
    return sdlHost.options.saverTarget != HostSaverTarget::none;
}

bool sdlDrawsIntoForeignWindow(void) {
    return sdlHost.options.saverTarget == HostSaverTarget::foreignWindow ||
           sdlHost.options.saverTarget == HostSaverTarget::rootWindow;
}

bool sdlPrepareForeignVideo(void) {
    // Window ids are X's: SDL is to use X11 even where it would pick another driver.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    return findXWindow(sdlHost.options.saverTarget == HostSaverTarget::rootWindow,
                       &sdlHost.options.saverWindowId);
}

bool sdlOpenForeignWindow(void) {
    SDL_Window* window = SDL_CreateWindowFrom(
        reinterpret_cast<const void*>(static_cast<uintptr_t>(sdlHost.options.saverWindowId)));
    if (!window) {
        return fail("the screensaver's window cannot be drawn into");
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        SDL_DestroyWindow(window);
        return fail("nothing can draw into the screensaver's window");
    }
    sdlHost.window = window;
    sdlHost.renderer = renderer;
    SDL_GetWindowSize(window, &sdlHost.pictureWidth, &sdlHost.pictureHeight);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderPresent(renderer);
    // After the renderer: making its context sets handlers of SDL's own for a while.
    sdlCatchXErrors();
    return true;
}

void sdlFollowForeignWindowSize(void) {
    // A look every half second or so: a daemon resizes its window when the screen changes size.
    static const int framesBetweenLooks = 30;
    static int framesSinceLook = 0;
    if (!sdlDrawsIntoForeignWindow() || !sdlHost.window || ++framesSinceLook < framesBetweenLooks) {
        return;
    }
    framesSinceLook = 0;
    int width = 0;
    int height = 0;
    int known = 0;
    int knownHeight = 0;
    SDL_GetWindowSize(sdlHost.window, &known, &knownHeight);
    if (foreignWindowSize(&width, &height) && width > 0 && height > 0 &&
        (width != known || height != knownHeight)) {
        // SDL learns the size by setting it; the picture is fitted into the new size as in any
        // window that does not match it.
        SDL_SetWindowSize(sdlHost.window, width, height);
    }
}
