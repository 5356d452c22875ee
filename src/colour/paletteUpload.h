// Putting display.palette on screen through the palette object.
//
// A run opened in true colour has no palette object (only the 8-bit set-ups make one). The
// palette operations then fill display.palette and upload nothing: the program's own copy is
// still good for translation tables and screenshots, and an 8-bit display opened later is
// given a palette of its own.
#pragma once

#include <cstdint>

// Uploads all 256 entries of display.palette, checking the result with the caller's site code.
// Does nothing while there is no palette object.
void uploadPalette(int site);

// display.palette[index] = (red, green, blue, 4), then uploads that one entry (site 18).
void setPaletteEntry(uint8_t index, uint8_t red, uint8_t green, uint8_t blue);
