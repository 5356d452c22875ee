// The one SDL window: full-screen on the chosen monitor's desktop whatever mode the program sets
// (the mode's picture is scaled into it), or a resizable window of the mode's size; with a
// renderer that waits for the display's refresh where the driver can.
#include "platform/host/sdl2/sdlLetterbox.h"
#include "platform/host/sdl2/sdlState.h"
#include "platform/host/sdl2/sdlWindowSight.h"
#include "platform/host/sdl2/sdlXErrors.h"

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

// OpenGL drawn by the processor (Mesa's llvmpipe or softpipe, as on a machine without a GPU
// driver) draws the whole texture into the window every frame: at 1920x1080 some 18 ms of CPU
// a frame against 2 ms for the software renderer, which puts only what changed.
static bool drawnByProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) {
        return false;
    }
    typedef const unsigned char* (*GetString)(unsigned int);
    GetString getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned int glRenderer = 0x1F01;
    const char* name = getString ? reinterpret_cast<const char*>(getString(glRenderer)) : nullptr;
    return name && (std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
                    std::strstr(name, "Software Rasterizer"));
}

static SDL_Renderer* createRenderer(SDL_Window* window) {
    // Waiting for the refresh paces the frame loop, whose every step is per frame.
    if (SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC)) {
        // A renderer the user named is kept whatever draws it.
        if (SDL_getenv("SDL_RENDER_DRIVER") || !drawnByProcessor(renderer)) {
            return renderer;
        }
        SDL_DestroyRenderer(renderer);
    }
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

// The software renderer (the screensaver's, and any machine's without a GPU driver) draws into
// the window's framebuffer. Left to itself SDL backs that framebuffer with an OpenGL texture,
// which under Mesa's software rasteriser costs ten to twenty times the picture per frame (15
// against 0.8 ms at 1920x1080, 57 against 2.4 ms at 3840x2160, sdlWindowSurfaceBenchmark);
// X11's own framebuffer puts the picture with shared-memory images. Other drivers have no
// framebuffer of their own, and the variable SDL_FRAMEBUFFER_ACCELERATION still decides.
static void keepSoftwareFramesOffOpenGL(void) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
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

// The command line's choice, else QUARNEL_SCALE (for hosts started without a command line),
// else fit. A value that is neither is told and fitted.
static SdlScaling chooseScaling(void) {
    if (sdlHost.options.scaling != HostScaling::unset) {
        return sdlHost.options.scaling == HostScaling::integer ? SdlScaling::integer
                                                               : SdlScaling::fit;
    }
    const char* named = SDL_getenv("QUARNEL_SCALE");
    if (!named || !*named || std::strcmp(named, "fit") == 0) {
        return SdlScaling::fit;
    }
    if (std::strcmp(named, "integer") == 0) {
        return SdlScaling::integer;
    }
    std::fprintf(stderr, "quarnel: QUARNEL_SCALE is fit or integer, not \"%s\"; fitting\n", named);
    return SdlScaling::fit;
}

static int chooseDisplay(void) {
    int count = SDL_GetNumVideoDisplays();
    int wanted = sdlHost.options.display;
    if (wanted < 0) {
        return 0;
    }
    if (wanted >= count) {
        std::fprintf(stderr,
                     "quarnel: there is no display %d (%d found, counted from 0); "
                     "using display 0\n",
                     wanted, count < 0 ? 0 : count);
        return 0;
    }
    return wanted;
}

static void noteRendererFormats(void) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(sdlHost.renderer, &info) != 0) {
        return;
    }
    sdlHost.maxTextureWidth = info.max_texture_width;
    sdlHost.maxTextureHeight = info.max_texture_height;
    for (Uint32 i = 0; i < info.num_texture_formats; i++) {
        sdlHost.takesRgb888 |= info.texture_formats[i] == SDL_PIXELFORMAT_RGB888;
        sdlHost.takesBgr24 |= info.texture_formats[i] == SDL_PIXELFORMAT_BGR24;
    }
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
    if (sdlDrawsIntoForeignWindow() && !sdlPrepareForeignVideo()) {
        return false;
    }
    if (!sdlHost.videoStarted) {
        SDL_SetMainReady();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return fail("no display to show the window on");
        }
        sdlHost.videoStarted = true;
        keepSoftwareFramesOffOpenGL();
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
    sdlHost.scaling = chooseScaling();
    sdlHost.displayIndex = chooseDisplay();
    sdlHost.windowed = sdlHost.options.windowed;
    if (sdlDrawsIntoForeignWindow()) {
        if (!sdlOpenForeignWindow()) {
            return false;
        }
        noteRendererFormats();
        sdlWatchWindowSight();
        return true;
    }
    // Full screen: made as large as the desktop, where it is, so that without a window manager
    // to make it full-screen (a bare X server) it covers the screen all the same. Windowed: kept
    // hidden until the program says how large its window is.
    SDL_Rect desktop = {0, 0, 640, 480};
    SDL_GetDisplayBounds(sdlHost.displayIndex, &desktop);
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    if (sdlHost.windowed) {
        sdlHost.window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED_DISPLAY(sdlHost.displayIndex),
                                          SDL_WINDOWPOS_CENTERED_DISPLAY(sdlHost.displayIndex), 640,
                                          480, flags | SDL_WINDOW_HIDDEN);
    } else {
        sdlHost.window = SDL_CreateWindow("", desktop.x, desktop.y, desktop.w, desktop.h,
                                          flags | SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    if (!sdlHost.window) {
        return fail("the window could not be opened");
    }
    sdlHost.renderer = createRenderer(sdlHost.window);
    if (!sdlHost.renderer) {
        SDL_DestroyWindow(sdlHost.window);
        sdlHost.window = nullptr;
        return fail("nothing can draw into the window");
    }
    noteRendererFormats();
    sdlCatchXErrors();
    sdlWatchWindowSight();
    // Typed characters come from the key messages, as on Windows.
    SDL_StopTextInput();
    SDL_GetWindowSize(sdlHost.window, &sdlHost.pictureWidth, &sdlHost.pictureHeight);
    SDL_SetRenderDrawColor(sdlHost.renderer, 0, 0, 0, 255);
    SDL_RenderClear(sdlHost.renderer);
    SDL_RenderPresent(sdlHost.renderer);
    sdlApplyCursorMode();
    return true;
}

// A window of the display mode's size, made smaller (the aspect kept) where the monitor's
// usable area is smaller, centred on the monitor.
static void sizeWindowToPicture(void) {
    SDL_Rect usable = {0, 0, sdlHost.pictureWidth, sdlHost.pictureHeight};
    SDL_GetDisplayUsableBounds(sdlHost.displayIndex, &usable);
    int width = sdlHost.pictureWidth;
    int height = sdlHost.pictureHeight;
    if (width > usable.w || height > usable.h) {
        SdlLetterbox box = fitPicture(usable.w, usable.h, width, height);
        width = box.width;
        height = box.height;
    }
    SDL_SetWindowSize(sdlHost.window, width, height);
    SDL_SetWindowPosition(sdlHost.window, SDL_WINDOWPOS_CENTERED_DISPLAY(sdlHost.displayIndex),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(sdlHost.displayIndex));
}

void sdlSizeWindow(void) {
    if (sdlHost.window && sdlHost.windowed) {
        sizeWindowToPicture();
        SDL_ShowWindow(sdlHost.window);
    }
}

void sdlSetWindowed(bool windowed) {
    if (!sdlHost.window) {
        return;
    }
    sdlHost.windowed = windowed;
    if (windowed) {
        SDL_SetWindowFullscreen(sdlHost.window, 0);
        sizeWindowToPicture();
        SDL_ShowWindow(sdlHost.window);
    } else {
        // Where no window manager makes it full-screen, its size and place do.
        SDL_Rect desktop = {0, 0, 640, 480};
        SDL_GetDisplayBounds(sdlHost.displayIndex, &desktop);
        SDL_SetWindowPosition(sdlHost.window, desktop.x, desktop.y);
        SDL_SetWindowSize(sdlHost.window, desktop.w, desktop.h);
        SDL_SetWindowFullscreen(sdlHost.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    // Grabs and relative mode belong to the window as it was.
    sdlApplyCursorMode();
    sdlRedraw();
}

SdlLetterbox sdlPictureInPoints(void) {
    int width = 1;
    int height = 1;
    int outputWidth = 1;
    int outputHeight = 1;
    SDL_GetWindowSize(sdlHost.window, &width, &height);
    if (!sdlHost.renderer ||
        SDL_GetRendererOutputSize(sdlHost.renderer, &outputWidth, &outputHeight) != 0) {
        outputWidth = width;
        outputHeight = height;
    }
    SdlLetterbox box = placePicture(outputWidth, outputHeight, sdlHost.pictureWidth,
                                    sdlHost.pictureHeight, sdlHost.scaling);
    return rescaleBox(box, outputWidth, outputHeight, width, height);
}

void sdlApplyCursorMode(void) {
    // A screensaver's window takes no steering: the pointer is left to its owner.
    if (!sdlHost.window || sdlDrawsForSaver()) {
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
    SdlLetterbox box = sdlPictureInPoints();
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
