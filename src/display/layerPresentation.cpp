#include "display/layerPresentation.h"

#include "display/surfaceAccess.h"
#include "raster/clipWindow.h"
#include "record/displayState.h"
#include "window/fatalError.h"

// Both operations re-lock the surfaces and blit the whole screen: a clip window is taken away
// for their duration and put back after.

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
