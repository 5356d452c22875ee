// Palette entries as floating-point channels, for code that works in fractions of full
// intensity (the 8-bit screenshot, image conversion).
#pragma once

#include <cstdint>

// red[i], green[i], blue[i] = the channel bytes of display.palette[i] divided by 256, so that
// no value reaches 1.0: 255 gives 0.99609375 and 128 gives 0.5.
void paletteToFloats(float red[256], float green[256], float blue[256]);

// The same for one entry.
void paletteEntryToFloats(uint8_t index, float* red, float* green, float* blue);
