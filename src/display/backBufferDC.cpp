#include "display/backBufferDC.h"

#include "display/surfaceAccess.h"
#include "raster/clipWindow.h"
#include "record/displayState.h"

// A clip window stays set while the device context is held; each half takes it away around
// its own unlock or re-lock, so that the window's offset is applied to the fresh lock.

HRESULT getBackBufferDC(HDC* dc) {
    const WholeScreen wholeScreen;
    display.backSurface->Unlock(nullptr);
    const HRESULT result = display.backSurface->GetDC(dc);
    return result;
}

void releaseBackBufferDC(HDC* dc) {
    const WholeScreen wholeScreen;
    display.backSurface->ReleaseDC(*dc);
    display.backSurface->Lock(nullptr, &display.backDesc, DDLOCK_WAIT, nullptr);
    takeLockedBuffer(display.backDesc, display.backBuffer, display.backPitch);
}
