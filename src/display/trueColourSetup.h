// Taking the screen over in exclusive full-screen true colour: 24 bits, or 32 when 24 is
// refused.
#pragma once

// Creates the DirectDraw object and the primary surface for mainWindow at
// screenWidth x screenHeight, sets pixelMode to 3 or 4 and selects the matching PixelOps.
void openDisplayTrueColour();
