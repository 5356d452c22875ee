// Display's own detail, for display sources only.
// Whole-surface blits and locks: the source rectangle of every blit, and the buffer pair a
// lock leaves in a surface description.
#pragma once

#include "record/displayState.h"

inline RECT wholeScreenRect() {
    RECT rect;
    rect.left = 0;
    rect.top = 0;
    rect.right = display.screenWidth;
    rect.bottom = display.screenHeight;
    return rect;
}

// A locked surface's first byte and pitch, as its last lock left them in the description.
inline void takeLockedBuffer(const DDSURFACEDESC& desc, uint8_t*& buffer, int32_t& pitch) {
    buffer = (uint8_t*)desc.lpSurface;
    pitch = desc.lPitch;
}

// A presentation of part of the screen (in presentation.cpp, which counts them): locks the screen
// for writing and hands out its first byte and pitch; false, with nothing locked, when the lock
// fails. No clip window may be set.
bool lockScreen(uint8_t** pixels, int32_t* pitch);
// Unlocks it again, which shows it: counts one presentation.
void unlockScreen();
