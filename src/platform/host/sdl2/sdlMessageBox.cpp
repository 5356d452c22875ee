// MessageBoxA as an SDL message box. The box waits for the user: it is not shown where no one
// can answer it (the dummy and offscreen drivers, or QUARNEL_NO_MESSAGE_BOX set), and then it
// counts as answered with OK at once. The text is not printed here: a program that wants it
// on standard error writes it there itself.
#include "platform/host/sdl2/sdlState.h"

#include <cstring>

static const int idOk = 1;
static const uint32_t mbIconMask = 0xF0;
static const uint32_t mbIconHand = 0x10;
static const uint32_t mbIconExclamation = 0x30;

static bool nobodyToAnswer(void) {
    // A screensaver's window is watched by nobody at a keyboard, or not for long.
    if (SDL_getenv("QUARNEL_NO_MESSAGE_BOX") || sdlDrawsForSaver()) {
        return true;
    }
    // Asked before SDL's video starts too, so the environment is read as SDL would read it.
    const char* driver = sdlHost.videoStarted ? SDL_GetCurrentVideoDriver() : nullptr;
    if (!driver) {
        driver = SDL_getenv("SDL_VIDEODRIVER");
    }
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

int sdlMessageBox(const char* text, const char* caption, uint32_t flags) {
    if (nobodyToAnswer()) {
        return idOk;
    }
    Uint32 kind = SDL_MESSAGEBOX_INFORMATION;
    if ((flags & mbIconMask) == mbIconHand) {
        kind = SDL_MESSAGEBOX_ERROR;
    } else if ((flags & mbIconMask) == mbIconExclamation) {
        kind = SDL_MESSAGEBOX_WARNING;
    }
    // The pointer is needed to press the button: out of relative mode and visible for the time
    // of the box.
    bool wasRelative = sdlHost.relativeMouse;
    if (wasRelative) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
    }
    if (sdlHost.window) {
        SDL_ShowCursor(SDL_ENABLE);
    }
    SDL_ShowSimpleMessageBox(kind, caption, text, sdlHost.window);
    if (sdlHost.window) {
        sdlApplyCursorMode();
    }
    return idOk;
}
