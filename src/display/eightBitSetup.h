// Taking the screen over in 8-bit palettized mode with the default palette.
#pragma once

// Builds the default palette, creates the DirectDraw object, sets screenWidth x screenHeight at
// 8 bits for mainWindow, creates the palette object from display.palette and the primary with
// that palette attached, sets pixelMode to 1 and selects the matching PixelOps (sites 1 to 6).
// Releases nothing: whatever display objects existed must have been released before.
void openDisplay8Bit();

// Creates display.paletteObject on display.directDraw from the 256 entries of display.palette,
// all of them the program's to set (site 4).
void createPaletteObject();
