// The palette every 8-bit display starts with.
#pragma once

// Fills display.palette: entries 0-15 the base colours at half and full intensity (8 is
// black), 16-39 a grey ramp 0, 11 ... 253, 40-255 a 6 × 6 × 6 cube in steps of 51 with red
// varying fastest. Uploads nothing.
void buildDefaultPalette();
