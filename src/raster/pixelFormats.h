// Raster's own detail, for raster sources only.
// The per-format implementations that selectPixelOps installs into the slots.
#pragma once

#include "raster/pixelOps.h"

void plotBack8(uint32_t x, uint32_t y, Colour colour);
void plotBack24(uint32_t x, uint32_t y, Colour colour);
void plotBack32(uint32_t x, uint32_t y, Colour colour);
void plotLayer8(uint32_t x, uint32_t y, Colour colour);
void plotLayer24(uint32_t x, uint32_t y, Colour colour);
void plotLayer32(uint32_t x, uint32_t y, Colour colour);
void plotFront8(uint32_t x, uint32_t y, Colour colour);
void plotFront24(uint32_t x, uint32_t y, Colour colour);
void plotFront32(uint32_t x, uint32_t y, Colour colour);

uint32_t peekBack8(uint32_t x, uint32_t y);
uint32_t peekBack24(uint32_t x, uint32_t y);
uint32_t peekBack32(uint32_t x, uint32_t y);
uint32_t peekLayer8(uint32_t x, uint32_t y);
uint32_t peekLayer24(uint32_t x, uint32_t y);
uint32_t peekLayer32(uint32_t x, uint32_t y);

void fillRectBack8(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
void fillRectBack24(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
void fillRectBack32(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
void fillRectLayer8(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
void fillRectLayer24(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
void fillRectLayer32(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);

void frameRect8(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
void frameRect24(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
void frameRect32(int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);

void blitSprite8(int32_t x, int32_t y, const uint8_t* sprite);
void blitSprite24(int32_t x, int32_t y, const uint8_t* sprite);
void blitSprite32(int32_t x, int32_t y, const uint8_t* sprite);
void blitSpriteClipped8(int32_t x, int32_t y, const uint8_t* sprite);
// True-colour modes have no clipped sprite copy.
void blitSpriteClippedNothing(int32_t x, int32_t y, const uint8_t* sprite);
