// Lending the back buffer to GDI. Between the two calls the back buffer is unlocked and
// backBuffer must not be used.
#pragma once

#include "platform/win32.h"

// Unlocks the back buffer and asks it for a device context; returns GetDC's result unchecked.
HRESULT getBackBufferDC(HDC* dc);
// Gives the device context back and locks the back buffer again, refreshing backBuffer and
// backPitch.
void releaseBackBufferDC(HDC* dc);
