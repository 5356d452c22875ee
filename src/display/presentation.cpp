#include "display/presentation.h"

#include "display/surfaceAccess.h"
#include "raster/clipWindow.h"
#include "record/displayState.h"
#include "window/fatalError.h"

#include <cstring>

static void fillBuffer(uint8_t* buffer, int32_t pitch, uint8_t value) {
    if (buffer == nullptr || pitch <= 0 || display.screenHeight <= 0) {
        return;
    }
    std::memset(buffer, value, (size_t)pitch * (size_t)display.screenHeight);
}

static uint64_t presentations = 0;

uint64_t presentationCount() {
    return presentations;
}

// The blit and the re-lock, for the whole screen with no clip window set.
static void presentWholeScreen() {
    ++presentations;
    RECT source = wholeScreenRect();
    display.backSurface->Unlock(nullptr);
    display.primarySurface->BltFast(0, 0, display.backSurface, &source, DDBLTFAST_WAIT);
    display.backSurface->Lock(nullptr, &display.backDesc, DDLOCK_WAIT, nullptr);
    takeLockedBuffer(display.backDesc, display.backBuffer, display.backPitch);
}

bool lockScreen(uint8_t** pixels, int32_t* pitch) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (display.primarySurface == nullptr ||
        display.primarySurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        return false;
    }
    takeLockedBuffer(desc, *pixels, *pitch);
    if (*pixels == nullptr || *pitch <= 0) {
        display.primarySurface->Unlock(nullptr);
        return false;
    }
    return true;
}

void unlockScreen() {
    ++presentations;
    display.primarySurface->Unlock(nullptr);
}

// A re-lock would drop a clip window's offset and the whole-screen blits and fills need the
// whole screen: each operation, those with the layer too, takes a window away for its duration
// and puts it back after.

void presentFrame() {
    const WholeScreen wholeScreen;
    presentWholeScreen();
}

void presentAndClear(uint8_t value) {
    const WholeScreen wholeScreen;
    presentWholeScreen();
    fillBuffer(display.backBuffer, display.backPitch, value);
}

void clearAndPresent(uint8_t value) {
    const WholeScreen wholeScreen;
    fillBuffer(display.backBuffer, display.backPitch, value);
    presentWholeScreen();
    fillBuffer(display.backBuffer, display.backPitch, value);
}

void clearLayerBuffer(uint8_t value) {
    const WholeScreen wholeScreen;
    fillBuffer(display.layerBuffer, display.layerPitch, value);
}

void clearAllAndPresent(uint8_t value) {
    const WholeScreen wholeScreen;
    fillBuffer(display.backBuffer, display.backPitch, value);
    fillBuffer(display.layerBuffer, display.layerPitch, value);
    presentWholeScreen();
    fillBuffer(display.backBuffer, display.backPitch, value);
}

// With the layer.

void presentWithLayer() {
    const WholeScreen wholeScreen;
    RECT source = wholeScreenRect();
    checkDirectDraw(101, display.backSurface->Unlock(nullptr));
    checkDirectDraw(102, display.layerSurface->Unlock(nullptr));
    checkDirectDraw(
        103, display.primarySurface->BltFast(0, 0, display.backSurface, &source, DDBLTFAST_WAIT));
    checkDirectDraw(
        104, display.backSurface->BltFast(0, 0, display.layerSurface, &source, DDBLTFAST_WAIT));
    checkDirectDraw(105,
                    display.backSurface->Lock(nullptr, &display.backDesc, DDLOCK_WAIT, nullptr));
    takeLockedBuffer(display.backDesc, display.backBuffer, display.backPitch);
    checkDirectDraw(106,
                    display.layerSurface->Lock(nullptr, &display.layerDesc, DDLOCK_WAIT, nullptr));
    takeLockedBuffer(display.layerDesc, display.layerBuffer, display.layerPitch);
}

void restoreFromLayer() {
    const WholeScreen wholeScreen;
    RECT source = wholeScreenRect();
    display.backSurface->Unlock(nullptr);
    display.layerSurface->Unlock(nullptr);
    display.backSurface->BltFast(0, 0, display.layerSurface, &source, DDBLTFAST_WAIT);
    display.backSurface->Lock(nullptr, &display.backDesc, DDLOCK_WAIT, nullptr);
    takeLockedBuffer(display.backDesc, display.backBuffer, display.backPitch);
    display.layerSurface->Lock(nullptr, &display.layerDesc, DDLOCK_WAIT, nullptr);
    takeLockedBuffer(display.layerDesc, display.layerBuffer, display.layerPitch);
}
