// Stand-ins for the outline and sprite slots until those operations are written; they draw
// nothing.
#include "raster/pixelFormats.h"

void frameRect8(int32_t, int32_t, int32_t, int32_t, Colour) {}
void frameRect24(int32_t, int32_t, int32_t, int32_t, Colour) {}
void frameRect32(int32_t, int32_t, int32_t, int32_t, Colour) {}
void blitSprite8(int32_t, int32_t, const uint8_t*) {}
void blitSprite24(int32_t, int32_t, const uint8_t*) {}
void blitSprite32(int32_t, int32_t, const uint8_t*) {}
void blitSpriteClipped8(int32_t, int32_t, const uint8_t*) {}
void blitSpriteClippedNothing(int32_t, int32_t, const uint8_t*) {}
