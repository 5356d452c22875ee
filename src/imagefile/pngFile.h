// PNG files, written through the stb image writer when the build has it: 24-bit colour,
// compressed without loss. Debian's libstb-dev is one header that builds wherever the
// system does (Linux, MinGW, the web), which libpng from the distribution does not.
#pragma once

#include <cstdint>

// True when this build writes PNG files.
bool pngSupported();

// rgb holds height rows of width red, green, blue bytes, top row first. Returns false when
// PNG is not built in or the file cannot be written in full; a file left half written is
// removed.
bool writePngFile(const char* path, const uint8_t* rgb, int width, int height);
