// A first program: a 24-bit display, lines, a triangle and a sprite, a screenshot. The host is
// chosen when linking: on the headless host it ends at once, in a window it stays a while.
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "imagefile/screenshot.h"
#include "raster/areaPrimitives.h"
#include "raster/lines.h"
#include "raster/pixelOps.h"
#include "window/inputState.h"
#include "window/mainWindow.h"
#include "window/messagePump.h"

int main(int argc, char** argv) {
    createMainWindow(GetModuleHandleA(nullptr), 320, 200, "First");
    openDisplayTrueColour(); // 24 bits per pixel, or 32 where 24 is refused
    createBackBuffer();      // locked and ready to draw into
    for (int i = 0; i < 16; ++i) {
        drawLineScreen(10, 10 + 11.0f * i, 150, 180 - 11.0f * i, 0x20C0FF); // screen-blended
    }
    fillTriangle(170, 180, 240, 20, 310, 180, 0xFF8020);
    uint8_t sprite[2 + 16 * 16 * 3] = {16, 16}; // width, height, then blue, green, red
    for (int p = 0; p < 256; ++p) {
        sprite[2 + 3 * p] = static_cast<uint8_t>(16 * (p % 16));
        sprite[3 + 3 * p] = 255;
    }
    pixelOps.blitSprite(232, 116, sprite);
    presentFrame();
    writeScreenshot(argc > 1 ? argv[1] : "first.bmp");
    // In a window: until Escape, a close or five seconds. The headless clock jumps ahead.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(10)) {
        if (pumpMessages() || (keyState[VK_ESCAPE] & 0x80)) {
            break;
        }
    }
    return 0;
}
