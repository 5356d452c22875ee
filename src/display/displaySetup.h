// The display set-ups: taking the screen over in exclusive full-screen true colour (24 bits, or
// 32 when 24 is refused) or 8-bit palettized mode, the visible surface every set-up makes, and
// the screen-sized off-screen surfaces in system memory that every plotter draws into (both stay
// locked between frames).
#pragma once

#include "platform/win32.h"

// Creates the DirectDraw object and the primary surface for mainWindow at
// screenWidth x screenHeight, sets pixelMode to 3 or 4 and selects the matching PixelOps.
void openDisplayTrueColour();

// openDisplayTrueColour for a screensaver, which must not end in an error box when the screen
// size asked for is one the display does not offer: refused at 24 and at 32 bits, the size
// gives way to fallbackWidth x fallbackHeight (the desktop's) with one line on standard error,
// and only that size's refusal ends the program (site 2403).
void openDisplayTrueColourFallingBack(int fallbackWidth, int fallbackHeight);

// Builds the default palette, creates the DirectDraw object, sets screenWidth x screenHeight at
// 8 bits for mainWindow, creates the palette object from display.palette and the primary with
// that palette attached, sets pixelMode to 1 and selects the matching PixelOps (sites 1 to 6).
// Releases nothing: whatever display objects existed must have been released before.
void openDisplay8Bit();

// Creates display.paletteObject on display.directDraw from the 256 entries of display.palette,
// all of them the program's to set (site 4).
void createPaletteObject();

// Creates display.primarySurface from a fresh display.primaryDesc; the caller checks the
// result with its own site code.
HRESULT createPrimarySurface();

// Creates and locks the back buffer; backBuffer and backPitch come from the lock.
void createBackBuffer();

// Creates and locks the back buffer and the layer, a second surface of the same description.
void createBackAndLayer();
