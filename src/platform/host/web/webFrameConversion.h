// The visible surface's pixels, whatever their depth, as the canvas takes them: bytes red,
// green, blue, alpha 255, rows packed.
#pragma once

#include "platform/host/host.h"

#include <cstdint>

// Converts the whole frame into `target` (width × height × 4 bytes). At 1 byte per pixel the
// frame's palette is used, or `fallbackPalette` when the frame has none, or grey levels when
// neither is given; 2 bytes per pixel are 5-6-5. Another depth leaves the target black.
void convertFrameToRgba(const HostFrame& frame, const HostPaletteEntry* fallbackPalette,
                        uint8_t* target);

// The same for the part of the frame from (x, y), width × height pixels (cut to the frame),
// into the same place of the whole frame's `target`; the rest of the target is left alone.
void convertFrameRectToRgba(const HostFrame& frame, const HostPaletteEntry* fallbackPalette, int x,
                            int y, int width, int height, uint8_t* target);
