// Throwing the whole layer away between tests.
#include "platform/compat/directDrawObjects.h"
#include "platform/compat/inputDevices.h"
#include "platform/compat/layerControl.h"
#include "platform/compat/messageQueue.h"
#include "platform/compat/screenMode.h"
#include "platform/compat/windowRegistry.h"

void compatReset(void) {
    // Straight to memory: no Release, so no host is told and no window procedure runs. A host
    // that kept a pointer into a surface forgets it with the rest of its state.
    for (DirectDrawSurfaceObject* surface : surfaceObjects) {
        delete[] surface->pixels;
        delete surface;
    }
    for (DirectDrawPaletteObject* palette : paletteObjects) {
        delete palette;
    }
    for (DirectDrawObject* directDraw : directDrawObjects) {
        delete directDraw;
    }
    surfaceObjects.clear();
    paletteObjects.clear();
    directDrawObjects.clear();
    exclusiveOwner = nullptr;
    forgetShownSurface();
    resetMessageQueue();
    resetWindows();
    resetInputDevices();
    screenMode = desktopMode;
}

int compatLiveObjectCount(void) {
    return static_cast<int>(surfaceObjects.size() + paletteObjects.size() +
                            directDrawObjects.size());
}

void compatHoldKey(BYTE virtualKey) {
    input.heldKeys[virtualKey] |= 0x80;
    input.keyState[virtualKey] |= 0x80;
}
