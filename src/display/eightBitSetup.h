// Taking the screen over in 8-bit palettized mode with the default palette.
#pragma once

// Creates the DirectDraw object, the palette object and the primary for mainWindow at
// screenWidth x screenHeight, sets pixelMode to 1 and selects the matching PixelOps.
void openDisplay8Bit();
