#include "display/backBufferDC.h"

#include "display/displayState.h"
#include "display/surfaceAccess.h"

HRESULT getBackBufferDC(HDC* dc) {
    display.backSurface->Unlock(nullptr);
    return display.backSurface->GetDC(dc);
}

void releaseBackBufferDC(HDC* dc) {
    display.backSurface->ReleaseDC(*dc);
    display.backSurface->Lock(nullptr, &display.backDesc, DDLOCK_WAIT, nullptr);
    takeLockedBuffer(display.backDesc, display.backBuffer, display.backPitch);
}
