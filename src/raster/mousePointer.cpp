#include "raster/mousePointer.h"

#include "raster/lines.h"
#include "record/displayState.h"
#include "window/inputState.h"

void drawMousePointer() {
    const Colour colour = display.pixelMode == pixelModePalettized ? 15 : 0xFFFFFF;
    // 64-bit sums: the ends of a pointer at the far edge of the coordinate range still exist.
    const float x = static_cast<float>(mouseX);
    const float y = static_cast<float>(mouseY);
    const float x2 = static_cast<float>(static_cast<int64_t>(mouseX) + 2);
    const float y2 = static_cast<float>(static_cast<int64_t>(mouseY) + 2);
    const float x4 = static_cast<float>(static_cast<int64_t>(mouseX) + 4);
    const float y4 = static_cast<float>(static_cast<int64_t>(mouseY) + 4);
    drawLineDirect(x, y, x2, y, colour);
    drawLineDirect(x, y, x, y2, colour);
    drawLineDirect(x, y, x4, y4, colour);
}
