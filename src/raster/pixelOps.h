// The pixel-operation slots: every raster operation draws through them, so the pixel format
// is settled once, by which implementation sits in a slot, and never tested per pixel.
#pragma once

#include "record/colour.h"

#include <cstdint>

typedef void (*PlotOperation)(uint32_t x, uint32_t y, Colour colour);
typedef uint32_t (*PeekOperation)(uint32_t x, uint32_t y);
typedef void (*RectOperation)(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
typedef void (*SpriteOperation)(int32_t x, int32_t y, const uint8_t* sprite);

struct PixelOps {
    PlotOperation plot;
    PlotOperation plotLayer;
    PlotOperation plotFront;
    PeekOperation peek;
    PeekOperation peekLayer;
    RectOperation fillRect;
    RectOperation fillRectLayer;
    RectOperation frameRect;
    SpriteOperation blitSprite;
    SpriteOperation blitSpriteClipped;
};

extern PixelOps pixelOps;

// The screen-blend plot into the back buffer. Holds bindPlotScreen after every selection; the
// first call binds the blend for the mode then in force.
extern PlotOperation plotScreen;

// Fills the slots for display.pixelMode (1, 3 or 4); any other mode leaves them as they are.
void selectPixelOps();

void bindPlotScreen(uint32_t x, uint32_t y, Colour colour);
void blendScreen24(uint32_t x, uint32_t y, Colour colour);
void blendScreen32(uint32_t x, uint32_t y, Colour colour);

// Saturating add into 4-byte back-buffer pixels, whatever the mode says.
void plotAdd(uint32_t x, uint32_t y, Colour colour);
// The byte at (x, y) of the locked 8-bit front buffer; no bounds test.
uint32_t peekFront(uint32_t x, uint32_t y);
