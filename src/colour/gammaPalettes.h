// Two gamma-corrected palette layouts. Each is built as channel fractions in [0, 1], then
// every channel becomes the truncation of 255.4 × x^(1/gamma), flags 4, in display.palette,
// and the whole palette is uploaded (when there is a palette object; see paletteUpload.h).
//
// Both start with the base colours of the default palette at intensities 0.5 and 1.0, except
// that entry 8 is a dark grey (0.25) where the default palette has black.
#pragma once

// The default palette's arrangement: greys (i − 16) / 23 in 16-39, a 6 × 6 × 6 cube in steps
// of 0.2 in 40-255. Site 21. A gamma that is not greater than 0 (or not a number) changes
// nothing.
void setCubePalette(float gamma);

// Greys (i − 16) / 15 in 16-31; in 32-127 four hue circles of 24 entries (full, light, dark and
// medium colours), each running blue, magenta, red, yellow, green, cyan, four entries per
// step; a 5 × 5 × 5 cube in steps of 0.25 in 128-252; black in 253-255. Site 191. A gamma that
// is not greater than 0 changes nothing.
void setHuePalette(float gamma);
