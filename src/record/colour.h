// Packed colours and palette entries as every subsystem passes them around.
#pragma once

#include "platform/win32.h"

#include <cstdint>

// 0x00RRGGBB with a zero top byte. True-colour memory stores it blue, green, red; in
// 8-bit modes the low byte is a palette index.
typedef uint32_t Colour;

// Red, green, blue, flags: the Windows PALETTEENTRY layout, so a palette can be handed to
// DirectDraw as it stands.
typedef PALETTEENTRY PaletteEntry;

// Flags of every palette entry the system writes.
const uint8_t paletteEntryFlags = 4; // PC_NOCOLLAPSE
