#include "platform/host/sdl2/sdlXlib.h"

#if defined(QUARNEL_HAVE_X11)
#include <SDL.h>

namespace {

template <typename Call> bool loadCall(void* library, const char* name, Call* call) {
    *call = reinterpret_cast<Call>(SDL_LoadFunction(library, name));
    return *call != nullptr;
}

bool loadXlib(XlibCalls* calls) {
    void* library = SDL_LoadObject("libX11.so.6");
    if (library == nullptr) {
        library = SDL_LoadObject("libX11.so");
    }
    return library != nullptr && loadCall(library, "XOpenDisplay", &calls->openDisplay) &&
           loadCall(library, "XCloseDisplay", &calls->closeDisplay) &&
           loadCall(library, "XDefaultRootWindow", &calls->defaultRootWindow) &&
           loadCall(library, "XGetWindowAttributes", &calls->getWindowAttributes) &&
           loadCall(library, "XSetErrorHandler", &calls->setErrorHandler) &&
           loadCall(library, "XSync", &calls->sync) &&
           loadCall(library, "XSelectInput", &calls->selectInput) &&
           loadCall(library, "XPending", &calls->pending) &&
           loadCall(library, "XNextEvent", &calls->nextEvent);
}

} // namespace

const XlibCalls* sdlXlib(void) {
    static XlibCalls calls;
    static const bool loaded = loadXlib(&calls);
    return loaded ? &calls : nullptr;
}

Display* sdlOwnXConnection(void) {
    static Display* connection = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const XlibCalls* x = sdlXlib();
        connection = x ? x->openDisplay(nullptr) : nullptr;
    }
    return connection;
}
#endif
