#include "display/trueColourSetup.h"

#include "display/primarySurface.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "window/fatalError.h"
#include "window/mainWindow.h"

void openDisplayTrueColour() {
    checkDirectDraw(2401, DirectDrawCreate(nullptr, &display.directDraw, nullptr));
    checkDirectDraw(2402, display.directDraw->SetCooperativeLevel(
                              mainWindow, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE |
                                              DDSCL_ALLOWMODEX));
    DWORD width = (DWORD)display.screenWidth;
    DWORD height = (DWORD)display.screenHeight;
    // A refused 24 bits is no failure: 32 bits is the fall-back, and only its refusal ends
    // the program.
    if (display.directDraw->SetDisplayMode(width, height, 24) == DD_OK) {
        display.pixelMode = pixelModeTrueColour24;
    } else {
        checkDirectDraw(2403, display.directDraw->SetDisplayMode(width, height, 32));
        display.pixelMode = pixelModeTrueColour32;
    }
    checkDirectDraw(2405, createPrimarySurface());
    selectPixelOps();
}
