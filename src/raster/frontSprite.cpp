#include "raster/clipWindow.h"
#include "raster/spriteWrap.h"
#include "raster/sprites.h"

// The front buffer does not move with a clip window: it is addressed from the screen's
// top-left corner and tested against the window's size, and it ends where the whole screen does.
void blitSpriteFront(int32_t x, int32_t y, const uint8_t* sprite) {
    const int64_t bufferBytes = static_cast<int64_t>(display.frontPitch) * wholeScreenHeight();
    walkWrappedSprite<1, 1>(display.frontBuffer, display.frontPitch, bufferBytes, x, y, sprite,
                            storeKeyedIndex);
}
