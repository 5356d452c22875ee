// The one global display record: screen size, depth, DirectDraw objects and the pointer and
// pitch of every drawable buffer. Everything that reaches the screen reads it at each call.
#pragma once

#include "platform/win32.h"
#include "record/colour.h"

#include <cstdint>

// Bytes per pixel; eight times it is the depth asked of the display.
typedef int32_t PixelMode;
const PixelMode pixelModePalettized = 1;
const PixelMode pixelModeTrueColour24 = 3;
const PixelMode pixelModeTrueColour32 = 4;

struct DisplayState {
    int32_t screenWidth;
    int32_t screenHeight;
    PixelMode pixelMode;
    LPDIRECTDRAW directDraw;
    LPDIRECTDRAWSURFACE primarySurface;
    LPDIRECTDRAWSURFACE backSurface;
    LPDIRECTDRAWSURFACE layerSurface;
    LPDIRECTDRAWPALETTE paletteObject;
    DDSURFACEDESC primaryDesc;
    DDSURFACEDESC backDesc;
    DDSURFACEDESC layerDesc;
    uint8_t* backBuffer;
    int32_t backPitch;
    uint8_t* layerBuffer;
    int32_t layerPitch;
    uint8_t* frontBuffer;
    int32_t frontPitch;
    PixelMode savedPixelMode;
    PaletteEntry palette[256];
};

// Zero at start, like every global of the system.
extern DisplayState display;
