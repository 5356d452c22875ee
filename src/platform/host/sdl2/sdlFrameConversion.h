// The visible surface's pixels, whatever their depth, as native 32-bit values 0x00RRGGBB
// (SDL_PIXELFORMAT_RGB888): for the depths the renderer does not take as they are.
#pragma once

#include "platform/host/host.h"

#include <cstdint>

// Converts the whole frame into `target`, whose rows are `targetPitch` bytes apart and 4-byte
// aligned. At 1 byte
// per pixel the frame's palette is used, or `fallbackPalette` when the frame has none, or grey
// levels when neither is given. A depth
// other than 1 to 4 leaves the target black.
void convertFrame(const HostFrame& frame, const HostPaletteEntry* fallbackPalette, uint8_t* target,
                  int targetPitch);
