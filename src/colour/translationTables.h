// Tables from palette indices to the pixel values of a display format, one per format, each
// built from display.palette at its first request and kept for the rest of the run.
//
// Format (bytes per pixel of the target) and entry i:
//   1  256 bytes   the index of the colour nearest to palette[i] in the palette attached to the
//                  primary surface (sites 2005, 2006)
//   2  512 bytes   palette[i] as a 5-6-5 or 5-5-5 pixel, low byte first, by the green mask that
//                  the last lockFrontBuffer left in primaryDesc; any other layout is fatal
//   3  768 bytes   blue, green, red
//   4  1024 bytes  blue, green, red, 0
#pragma once

#include <cstdint>

extern const char unsupportedPixelFormatMessage[];

// The table for format, built at the first request for that format; null for any other format
// (and then nothing is built), or when there is no memory for it. Later changes of the palette do
// not reach a table already built.
const uint8_t* getTranslationTable(int32_t format);

// Frees every table, so that the next request builds its table from the palette then in force.
void freeTranslationTables();
