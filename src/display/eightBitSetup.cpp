#include "display/eightBitSetup.h"

#include "colour/defaultPalette.h"
#include "display/primarySurface.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "window/fatalError.h"
#include "window/mainWindow.h"

void createPaletteObject() {
    checkDirectDraw(4, display.directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256,
                                                         display.palette, &display.paletteObject,
                                                         nullptr));
}

void openDisplay8Bit() {
    buildDefaultPalette();
    checkDirectDraw(1, DirectDrawCreate(nullptr, &display.directDraw, nullptr));
    checkDirectDraw(2, display.directDraw->SetCooperativeLevel(
                           mainWindow, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE |
                                           DDSCL_ALLOWMODEX));
    checkDirectDraw(3, display.directDraw->SetDisplayMode((DWORD)display.screenWidth,
                                                          (DWORD)display.screenHeight, 8));
    createPaletteObject();
    display.pixelMode = pixelModePalettized;
    checkDirectDraw(5, createPrimarySurface());
    checkDirectDraw(6, display.primarySurface->SetPalette(display.paletteObject));
    selectPixelOps();
}
