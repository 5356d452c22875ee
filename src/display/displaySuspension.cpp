#include "display/displaySuspension.h"

#include "display/displaySetup.h"
#include "raster/clipWindow.h"
#include "record/displayState.h"
#include "record/objectRelease.h"
#include "window/fatalError.h"
#include "window/messagePump.h"

#include <cstdlib>
#include <cstring>

// The bytes of one locked off-screen surface, row pitch and all.
struct SavedPicture {
    bool surfaceExisted;
    uint8_t* bytes; // null when there was nothing to copy or no memory to copy it into
    int32_t pitch;
    int32_t height;
};

// Globals rather than locals of the pump: the blocks stay reachable should the restore end
// the program, and only one suspension is ever in progress.
static SavedPicture savedBack;
static SavedPicture savedLayer;
static PaletteEntry savedPalette[256];
static bool paletteSaved;
// A window minimised before the display was opened gets no display on its restore.
static bool displayWasOpen;
// A clip window is taken away while the whole buffers are kept and put back once they are
// there again; meanwhile the mouse position is in screen coordinates, as the window procedure
// writes it. The one window lifted by hand rather than by a WholeScreen guard: it stays lifted
// across calls, from suspendDisplay to restoreDisplay (or discardSuspendedDisplay), which the
// pump makes separately around its minimised passes.
static LiftedClipWindow suspendedClipWindow;

static void keepPicture(SavedPicture& saved, LPDIRECTDRAWSURFACE& surface, uint8_t*& buffer,
                        int32_t pitch) {
    saved = SavedPicture{};
    if (surface == nullptr) {
        return;
    }
    saved.surfaceExisted = true;
    if (buffer != nullptr && pitch > 0 && display.screenHeight > 0) {
        size_t size = (size_t)pitch * (size_t)display.screenHeight;
        saved.bytes = (uint8_t*)std::malloc(size);
        if (saved.bytes != nullptr) {
            std::memcpy(saved.bytes, buffer, size);
            saved.pitch = pitch;
            saved.height = display.screenHeight;
        }
    }
    releaseAndForget(surface);
    buffer = nullptr;
}

// The new surface may have another pitch than the one the picture was kept with: rows are
// copied one by one, each cut to the shorter of the two, and never past the kept block.
static void putPictureBack(SavedPicture& saved, uint8_t* buffer, int32_t pitch) {
    if (saved.bytes != nullptr && buffer != nullptr && pitch > 0) {
        int32_t rows = saved.height < display.screenHeight ? saved.height : display.screenHeight;
        if (pitch == saved.pitch) {
            std::memcpy(buffer, saved.bytes, (size_t)pitch * (size_t)rows);
        } else {
            size_t rowBytes = (size_t)(pitch < saved.pitch ? pitch : saved.pitch);
            for (int32_t row = 0; row < rows; row++) {
                std::memcpy(buffer + (size_t)row * (size_t)pitch,
                            saved.bytes + (size_t)row * (size_t)saved.pitch, rowBytes);
            }
        }
    }
    std::free(saved.bytes);
    saved = SavedPicture{};
}

void suspendDisplay() {
    suspendedClipWindow = liftClipWindow();
    displayWasOpen = display.directDraw != nullptr;
    paletteSaved = false;
    if (display.pixelMode == pixelModePalettized && display.paletteObject != nullptr) {
        checkDirectDraw(16, display.paletteObject->GetEntries(0, 0, 256, savedPalette));
        paletteSaved = true;
    }
    keepPicture(savedBack, display.backSurface, display.backBuffer, display.backPitch);
    keepPicture(savedLayer, display.layerSurface, display.layerBuffer, display.layerPitch);
    // The primary and the palette belong to the DirectDraw object and die with it; the
    // restore's set-up makes new ones. Released here and forgotten, so that a quit or a fatal
    // error while minimised never reaches them.
    releaseAndForget(display.primarySurface);
    display.frontBuffer = nullptr;
    releaseAndForget(display.paletteObject);
    releaseAndForget(display.directDraw);
}

void restoreDisplay() {
    const LiftedClipWindow clipWindow = suspendedClipWindow;
    if (!displayWasOpen) {
        discardSuspendedDisplay();
        restoreClipWindow(clipWindow);
        return;
    }
    if (display.pixelMode == pixelModePalettized) {
        openDisplay8Bit();
    } else {
        openDisplayTrueColour();
    }
    if (savedLayer.surfaceExisted) {
        createBackAndLayer();
        putPictureBack(savedLayer, display.layerBuffer, display.layerPitch);
        putPictureBack(savedBack, display.backBuffer, display.backPitch);
    } else if (savedBack.surfaceExisted) {
        createBackBuffer();
        putPictureBack(savedBack, display.backBuffer, display.backPitch);
    }
    if (display.pixelMode == pixelModePalettized && paletteSaved &&
        display.paletteObject != nullptr) {
        checkDirectDraw(17, display.paletteObject->SetEntries(0, 0, 256, savedPalette));
        // The set-up rebuilt the default palette into the program's copy; it is the screen's
        // again, for translation tables and screenshots.
        std::memcpy(display.palette, savedPalette, sizeof savedPalette);
    }
    paletteSaved = false;
    suspendedClipWindow = LiftedClipWindow{};
    restoreClipWindow(clipWindow);
}

// The display is gone for good: a clip window taken away at the suspension stays away.
void discardSuspendedDisplay() {
    suspendedClipWindow = LiftedClipWindow{};
    std::free(savedBack.bytes);
    std::free(savedLayer.bytes);
    savedBack = SavedPicture{};
    savedLayer = SavedPicture{};
    paletteSaved = false;
}

extern const MinimiseSteps minimiseSteps = {suspendDisplay, restoreDisplay,
                                            discardSuspendedDisplay};
