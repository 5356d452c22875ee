// The one SDL window: full-screen on the desktop whatever mode the program sets (the mode's
// picture is scaled into it), with a renderer that waits for the display's refresh.
#include "platform/host/sdl2/sdlLetterbox.h"
#include "platform/host/sdl2/sdlState.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static void closeVideo(void) {
    if (sdlHost.texture) {
        SDL_DestroyTexture(sdlHost.texture);
    }
    if (sdlHost.renderer) {
        SDL_DestroyRenderer(sdlHost.renderer);
    }
    if (sdlHost.window) {
        SDL_DestroyWindow(sdlHost.window);
    }
    sdlHost.texture = nullptr;
    sdlHost.renderer = nullptr;
    sdlHost.window = nullptr;
    sdlHost.videoStarted = false;
    SDL_Quit();
}

static SDL_Renderer* createRenderer(SDL_Window* window) {
    // Waiting for the refresh paces the frame loop, whose every step is per frame.
    if (SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC)) {
        return renderer;
    }
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

static bool fail(const char* what) {
    std::fprintf(stderr, "SDL: %s: %s\n", what, SDL_GetError());
    return false;
}

// SDL falls back to drivers that show nothing when there is no display; a program that
// nobody can see or stop runs on them only when asked to.
static bool displayChosen(void) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)) {
        return true;
    }
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    std::string named = requested ? requested : "";
    for (char& c : named) {
        c = static_cast<char>(SDL_tolower(static_cast<unsigned char>(c)));
    }
    return named.find(driver) != std::string::npos;
}

bool sdlOpenWindow(void) {
    if (sdlHost.window) {
        return true;
    }
#if defined(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE)
    // Closing the window is the program's WM_CLOSE, not a quit of SDL's own making. (Older SDL
    // adds the quit: a second close request, which comes after the window is gone.)
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
#endif
    // Thin lines survive a scale that is not a whole number better when filtered.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (!sdlHost.videoStarted) {
        SDL_SetMainReady();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return fail("no display to show the window on");
        }
        sdlHost.videoStarted = true;
        static bool cleanupRegistered = false;
        if (!cleanupRegistered) {
            cleanupRegistered = true;
            std::atexit(closeVideo);
        }
    }
    if (!displayChosen()) {
        SDL_SetError("only the %s driver answered (set SDL_VIDEODRIVER=%s to run on it)",
                     SDL_GetCurrentVideoDriver(), SDL_GetCurrentVideoDriver());
        return fail("no display to show the window on");
    }
    // Made as large as the desktop, where it is: without a window manager to make it
    // full-screen (a bare X server) it covers the screen all the same.
    SDL_Rect desktop = {0, 0, 640, 480};
    SDL_GetDisplayBounds(0, &desktop);
    sdlHost.window = SDL_CreateWindow("", desktop.x, desktop.y, desktop.w, desktop.h,
                                      SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (!sdlHost.window) {
        return fail("the window could not be opened");
    }
    sdlHost.renderer = createRenderer(sdlHost.window);
    if (!sdlHost.renderer) {
        SDL_DestroyWindow(sdlHost.window);
        sdlHost.window = nullptr;
        return fail("nothing can draw into the window");
    }
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(sdlHost.renderer, &info) == 0) {
        sdlHost.maxTextureWidth = info.max_texture_width;
        sdlHost.maxTextureHeight = info.max_texture_height;
    }
    // Typed characters come from the key messages, as on Windows.
    SDL_StopTextInput();
    SDL_GetWindowSize(sdlHost.window, &sdlHost.pictureWidth, &sdlHost.pictureHeight);
    SDL_SetRenderDrawColor(sdlHost.renderer, 0, 0, 0, 255);
    SDL_RenderClear(sdlHost.renderer);
    SDL_RenderPresent(sdlHost.renderer);
    sdlApplyCursorMode();
    return true;
}

void sdlApplyCursorMode(void) {
    if (!sdlHost.window) {
        return;
    }
    sdlHost.relativeRemainderX = 0;
    sdlHost.relativeRemainderY = 0;
    sdlHost.warpEchoPending = false;
    if (sdlHost.cursorVisible) {
        // A visible pointer must be where the program thinks it is: absolute motion.
        SDL_SetRelativeMouseMode(SDL_FALSE);
        sdlHost.relativeMouse = false;
        SDL_ShowCursor(SDL_ENABLE);
        return;
    }
    SDL_ShowCursor(SDL_DISABLE);
    // A hidden cursor steers: offsets keep coming at the window's edge and at any scale. The
    // offscreen and dummy drivers have no relative mode; they get absolute motion.
    sdlHost.relativeMouse = SDL_SetRelativeMouseMode(SDL_TRUE) == 0;
}

void sdlWarpCursor(int x, int y) {
    if (!sdlHost.window || sdlHost.relativeMouse) {
        return; // relative motion is added to the cursor wherever the program put it
    }
    int width = 1;
    int height = 1;
    SDL_GetWindowSize(sdlHost.window, &width, &height);
    SdlLetterbox box = fitPicture(width, height, sdlHost.pictureWidth, sdlHost.pictureHeight);
    int windowX = 0;
    int windowY = 0;
    pictureToWindow(box, sdlHost.pictureWidth, sdlHost.pictureHeight, x, y, &windowX, &windowY);
    sdlHost.warpEchoPending = true;
    sdlHost.warpWindowX = windowX;
    sdlHost.warpWindowY = windowY;
    sdlHost.warpPictureX = x;
    sdlHost.warpPictureY = y;
    SDL_WarpMouseInWindow(sdlHost.window, windowX, windowY);
}
