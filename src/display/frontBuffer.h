// Direct access to the visible surface: lock it, draw through frontBuffer and frontPitch with
// the front-buffer plotters, unlock it.
#pragma once

#include <cstdint>

// Locks the primary, keeps pixelMode in savedPixelMode and sets frontBuffer and frontPitch.
void lockFrontBuffer();
// Unlocks the primary and puts back the pixel mode of the lock, selecting its PixelOps again
// only when drawing code changed the mode meanwhile.
void unlockFrontBuffer();
// Fills the visible part of every row of the locked primary with value; the bytes past each
// row end are left alone.
void clearFrontBuffer(uint8_t value);
