#include "display/displayModeChange.h"

#include "colour/gammaPalettes.h"
#include "display/displaySetup.h"
#include "raster/clipWindow.h"
#include "raster/pixelOps.h"
#include "window/fatalError.h"

static bool knownPixelMode(PixelMode mode) {
    return mode == pixelModePalettized || mode == pixelModeTrueColour24 ||
           mode == pixelModeTrueColour32;
}

// A mode the pixel operations cannot serve is refused before the display is asked: its
// surfaces would be drawn into with the wrong pixel size.
static bool displayTakes(int32_t width, int32_t height, PixelMode mode) {
    return knownPixelMode(mode) && display.directDraw->SetDisplayMode((DWORD)width, (DWORD)height,
                                                                      (DWORD)mode * 8) == DD_OK;
}

static void takeMode(int32_t width, int32_t height, PixelMode mode) {
    display.screenWidth = width;
    display.screenHeight = height;
    display.pixelMode = mode;
}

// Releases the primary and the off-screen surfaces; true when there was a layer.
static bool releaseSurfaces() {
    if (display.primarySurface != nullptr) {
        // The remaining count is the result: a reference kept elsewhere is fatal.
        checkDirectDraw(201, (HRESULT)display.primarySurface->Release());
        display.primarySurface = nullptr;
        display.frontBuffer = nullptr;
    }
    if (display.backSurface != nullptr) {
        checkDirectDraw(202, display.backSurface->Unlock(nullptr));
        checkDirectDraw(203, (HRESULT)display.backSurface->Release());
        display.backSurface = nullptr;
        display.backBuffer = nullptr;
    }
    bool layerWasThere = display.layerSurface != nullptr;
    if (layerWasThere) {
        checkDirectDraw(204, display.layerSurface->Unlock(nullptr));
        checkDirectDraw(205, (HRESULT)display.layerSurface->Release());
        display.layerSurface = nullptr;
        display.layerBuffer = nullptr;
    }
    return layerWasThere;
}

// Tries the requested mode, its true-colour alternative, then the previous mode.
static int32_t setSomeMode(int32_t width, int32_t height, PixelMode mode) {
    if (displayTakes(width, height, mode)) {
        takeMode(width, height, mode);
        return modeChangeAsRequested;
    }
    if (mode == pixelModeTrueColour24 && displayTakes(width, height, pixelModeTrueColour32)) {
        takeMode(width, height, pixelModeTrueColour32);
        return modeChangeThirtyTwoBits;
    }
    if (mode == pixelModeTrueColour32 && displayTakes(width, height, pixelModeTrueColour24)) {
        takeMode(width, height, pixelModeTrueColour24);
        return modeChangeTwentyFourBits;
    }
    if (displayTakes(display.screenWidth, display.screenHeight, display.pixelMode)) {
        return modeChangePreviousMode;
    }
    return modeChangeNothingDone;
}

// A run opened in true colour has no palette object yet; the same directDraw makes one, as the
// 8-bit set-up does.
static void attachPalette(PixelMode previousMode) {
    bool paletteObjectWasThere = display.paletteObject != nullptr;
    if (!paletteObjectWasThere) {
        createPaletteObject();
    }
    if (previousMode == pixelModePalettized) {
        if (paletteObjectWasThere) {
            checkDirectDraw(208, display.paletteObject->SetEntries(0, 0, 256, display.palette));
        }
    } else {
        setCubePalette(1.0f);
    }
    checkDirectDraw(209, display.primarySurface->SetPalette(display.paletteObject));
}

int32_t changeDisplayMode(int32_t width, int32_t height, PixelMode mode) {
    PixelMode previousMode = display.pixelMode;
    if (display.directDraw == nullptr) {
        return modeChangeNothingDone;
    }
    // The size test and the new surfaces need the whole screen; a clip window comes back
    // afterwards, cut to the screen then in force.
    const WholeScreen wholeScreen;
    if (width == display.screenWidth && height == display.screenHeight) {
        return modeChangeNothingDone;
    }
    bool layerWasThere = releaseSurfaces();
    int32_t result = setSomeMode(width, height, mode);
    checkDirectDraw(207, createPrimarySurface());
    if (display.pixelMode == pixelModePalettized) {
        attachPalette(previousMode);
    }
    if (layerWasThere) {
        createBackAndLayer();
    } else {
        createBackBuffer();
    }
    // A primary lock from before the change is gone with its surface; its saved mode must not
    // come back at a later unlock.
    display.savedPixelMode = display.pixelMode;
    selectPixelOps();
    return result;
}
