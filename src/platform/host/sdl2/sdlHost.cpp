// The SDL2 host record: a real full-screen window, texture upload, mouse and keys. Each seam
// function here is a few lines; the window, the present, the events and the message box keep
// their own files.
#include "platform/host/sdl2/sdlHost.h"
#include "platform/host/sdl2/sdlState.h"

#include <cstring>

SdlHostState sdlHost;

static void windowCreated(const char* title, int width, int height) {
    if (!sdlHost.window) {
        return;
    }
    // A window the daemon made keeps its name.
    if (!sdlDrawsIntoForeignWindow()) {
        SDL_SetWindowTitle(sdlHost.window, title ? title : "");
    }
    if (sdlHost.windowed && width > 0 && height > 0) {
        sdlHost.pictureWidth = width;
        sdlHost.pictureHeight = height;
        sdlSizeWindow();
    }
}

static bool setDisplayMode(int width, int height, int) {
    // Every depth is uploaded; only the texture's size is limited.
    if (!sdlHost.renderer || (sdlHost.maxTextureWidth > 0 && width > sdlHost.maxTextureWidth) ||
        (sdlHost.maxTextureHeight > 0 && height > sdlHost.maxTextureHeight)) {
        return false;
    }
    bool resized = width != sdlHost.pictureWidth || height != sdlHost.pictureHeight;
    sdlHost.wholeUploadNext = true;
    sdlHost.pictureWidth = width;
    sdlHost.pictureHeight = height;
    // A window the user has resized keeps its size until the mode's size changes.
    if (resized || (SDL_GetWindowFlags(sdlHost.window) & SDL_WINDOW_HIDDEN)) {
        sdlSizeWindow();
    }
    return true;
}

static void takeWindowOptions(const HostWindowOptions* options) {
    if (options) {
        sdlHost.options = *options;
    }
}

static void surfaceFormat(int, HostSurfaceFormat*) {
    // The layer's usual formats (5-6-5 at 16 bits, rows padded to 4 bytes) are what we convert.
}

static void paletteChanged(const HostPaletteEntry* entries) {
    std::memcpy(sdlHost.palette, entries, sizeof sdlHost.palette);
    sdlHost.paletteKnown = true;
    sdlHost.wholeUploadNext = true;
    sdlShowPalette(entries);
}

static void keyboardRead(void) {
    // Events are taken as the layer polls for messages.
}

static uint32_t monotonicMilliseconds(void) {
    uint64_t counter = SDL_GetPerformanceCounter();
    uint64_t frequency = SDL_GetPerformanceFrequency();
    return static_cast<uint32_t>(counter / frequency * 1000 +
                                 counter % frequency * 1000 / frequency);
}

static uint32_t tickCount(void) {
    // GetTickCount counts from boot, and programs seed with it: SDL's count from its own start
    // would give every run nearly the same seed, so it is moved to the monotonic clock's start.
    // Both wrap after 49.7 days, as GetTickCount does.
    static const uint32_t base = monotonicMilliseconds() - SDL_GetTicks();
    return base + SDL_GetTicks();
}

static void sleepFor(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

static void showCursor(bool visible) {
    sdlHost.cursorVisible = visible;
    sdlApplyCursorMode();
}

static void minimiseWindow(void) {
    if (sdlHost.window) {
        SDL_MinimizeWindow(sdlHost.window);
    }
}

static int32_t injectedResult(const char*) {
    return 0;
}

bool sdlUploadsAsIs(int bytesPerPixel) {
    return sdlHost.uploadAsIsAllowed && ((bytesPerPixel == 4 && sdlHost.takesRgb888) ||
                                         (bytesPerPixel == 3 && sdlHost.takesBgr24));
}

void sdlAllowUploadAsIs(bool allowed) {
    sdlHost.uploadAsIsAllowed = allowed;
}

static constexpr Host hostRecord() {
    Host host{};
    host.name = "sdl2";
    host.openWindow = sdlOpenWindow;
    host.windowCreated = windowCreated;
    host.setDisplayMode = setDisplayMode;
    host.surfaceFormat = surfaceFormat;
    host.present = sdlPresent;
    host.paletteChanged = paletteChanged;
    host.pollEvent = sdlPollEvent;
    host.keyboardRead = keyboardRead;
    host.tickCount = tickCount;
    host.sleep = sleepFor;
    host.showCursor = showCursor;
    host.warpCursor = sdlWarpCursor;
    host.minimiseWindow = minimiseWindow;
    host.messageBox = sdlMessageBox;
    host.commandLine = sdlCommandLine;
    host.injectedResult = injectedResult;
    host.takeWindowOptions = takeWindowOptions;
    return host;
}

extern const Host activeHost = hostRecord();
