// The SDL2 host's one record, shared by its files, and the procedures between them.
#pragma once

#include "platform/host/host.h"
#include "platform/host/sdl2/sdlLetterbox.h"
#include "platform/host/sdl2/sdlPacing.h"

// The program has its own main; SDL is started without SDL_main.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <cstdint>
#include <vector>

struct SdlHostState {
    HostWindowOptions options; // as the user chose, before the window opened
    SdlScaling scaling = SdlScaling::fit;
    int displayIndex = 0;  // the monitor the window opened on
    bool windowed = false; // now: a window of the mode's size rather than the whole desktop

    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    Uint32 textureFormat = 0;
    // Pixel formats the renderer takes without converting them itself.
    bool takesBgr24 = false;
    bool takesRgb888 = false;
    bool uploadAsIsAllowed = true;
    int maxTextureWidth = 0; // 0: no limit known
    int maxTextureHeight = 0;

    // The size of the picture on the screen: the window's at first, then the display mode's,
    // then each presented frame's. Mouse motion is scaled from the window to it.
    int pictureWidth = 1;
    int pictureHeight = 1;

    bool cursorVisible = true;    // as on Windows before the first ShowCursor(FALSE)
    bool relativeMouse = false;   // SDL relative mode is on: motion comes as offsets
    float relativeRemainderX = 0; // the parts of a display pixel not yet reported
    float relativeRemainderY = 0;
    bool warpEchoPending = false; // absolute mode: our own warp comes back as a motion here
    int warpWindowX = 0;
    int warpWindowY = 0;
    int warpPictureX = 0;
    int warpPictureY = 0;

    uint32_t modifiersHeld = 0; // left and right halves of shift, control, alt, one bit each

    bool paletteKnown = false;
    HostPaletteEntry palette[256] = {}; // the last palette given to the visible surface
    // The last 8-bit picture's indices, rows without padding: a palette change alone changes
    // the screen, as on Windows.
    std::vector<uint8_t> indexedPicture;
    int indexedWidth = 0;
    int indexedHeight = 0;
    bool lastPictureIndexed = false;
    SdlPacing pacing;
    bool pacingStarted = false;

    // Uploads of the changed rectangles only, since the last whole one; the next is whole (the
    // window was exposed or resized, a device was reset, an upload failed).
    int partialUploads = 0;
    bool wholeUploadNext = true;
    uint64_t uploadedPixels = 0; // converted or copied into the texture since the start
    // The last picture went into the window's surface (a software renderer, 1:1), and the
    // texture has not had the pictures since; the rectangles of the last partial put.
    bool surfaceHoldsPicture = false;
    bool textureBehind = false;
    std::vector<SDL_Rect> surfaceRects;
};

extern SdlHostState sdlHost;

// Starts SDL's video and opens the full-screen window; false (with a message on standard error)
// when there is no display to open it on.
bool sdlOpenWindow(void);
// Windowed: the window takes the picture's size (pictureWidth by pictureHeight) and shows.
void sdlSizeWindow(void);
// Full screen on the desktop or a window of the display mode's size (Alt+Enter); the picture is
// shown again at once.
void sdlSetWindowed(bool windowed);
// The last picture drawn again into the window as it is now (a new size, a toggle).
void sdlRedraw(void);
// Where the picture lies in the window, in window points (mouse coordinates).
SdlLetterbox sdlPictureInPoints(void);
// A screensaver's target (HostWindowOptions::saverTarget): no steering, no message boxes.
bool sdlDrawsForSaver(void);
// The target is a window another program made, or the root window.
bool sdlDrawsIntoForeignWindow(void);
// Before SDL's video starts: the X11 driver, and a check that the window exists (false, with a
// line on standard error, when it does not).
bool sdlPrepareForeignVideo(void);
// Takes the window over with a software renderer; false with a line on standard error.
bool sdlOpenForeignWindow(void);
// Now and then, the foreign window's size as its owner has made it, told to SDL when it changed.
void sdlFollowForeignWindowSize(void);
// Relative mouse mode while the cursor is hidden, absolute while it shows.
void sdlApplyCursorMode(void);
void sdlWarpCursor(int x, int y);
void sdlPresent(const HostFrame* frame);
// The visible surface's palette changed: an 8-bit picture is shown again in the new colours.
void sdlShowPalette(const HostPaletteEntry* entries);
bool sdlPollEvent(HostEvent* event);
int sdlMessageBox(const char* text, const char* caption, uint32_t flags);
const char* sdlCommandLine(void);
