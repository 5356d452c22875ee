// An 8-bit program in the SDL2 window, for the window's fault tests: four bands of palette
// indices 1 to 4 in pure red, green, blue and white, and a bar of index 5 that moves a pixel a
// frame, so that a screenshot tells both whether frames still come and whether the palette on
// the screen is still the program's. Ends on Escape or a close, with status 0.
//
// usage: paletteWindow [--windowed]
#include "colour/paletteUpload.h"
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "platform/hostWindow.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "window/inputState.h"
#include "window/mainWindow.h"
#include "window/messagePump.h"

#include <cstring>

int main(int argc, char** argv) {
    HostWindowOptions options;
    options.windowed = argc > 1 && std::strcmp(argv[1], "--windowed") == 0;
    chooseHostWindow(options);
    const int width = 320;
    const int height = 240;
    createMainWindow(GetModuleHandleA(nullptr), width, height, "Quarnel palette");
    openDisplay8Bit();
    createBackBuffer();
    const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int i = 0; i < 4; ++i) {
        setPaletteEntry(static_cast<uint8_t>(1 + i), colours[i][0], colours[i][1], colours[i][2]);
    }
    setPaletteEntry(5, 255, 255, 0);
    for (int frame = 0;; ++frame) {
        for (int band = 0; band < 4; ++band) {
            pixelOps.fillRect(band * width / 4, 0, width / 4, height - 40,
                              static_cast<Colour>(1 + band));
        }
        pixelOps.fillRect(0, height - 40, width, 40, 0);
        pixelOps.fillRect(frame % (width - 8), height - 40, 8, 40, 5);
        presentFrame();
        if (pumpMessages() != 0 || (keyState[VK_ESCAPE] & 0x80)) {
            return 0;
        }
    }
}
