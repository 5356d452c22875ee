#include "display/displaySetup.h"

#include "colour/defaultPalette.h"
#include "display/surfaceAccess.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "window/fatalError.h"
#include "window/mainWindow.h"

#include <cstdio>
#include <cstring>

static void describeOffscreenSurface(DDSURFACEDESC& desc) {
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof(DDSURFACEDESC);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = (DWORD)display.screenWidth;
    desc.dwHeight = (DWORD)display.screenHeight;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
}

// Site codes of the three guarded calls that make one locked off-screen surface.
struct SurfaceSites {
    int create;
    int setPalette;
    int lock;
};

static void createLockedSurface(DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE& surface, uint8_t*& buffer,
                                int32_t& pitch, SurfaceSites sites) {
    checkDirectDraw(sites.create, display.directDraw->CreateSurface(&desc, &surface, nullptr));
    if (display.pixelMode == pixelModePalettized) {
        checkDirectDraw(sites.setPalette, surface->SetPalette(display.paletteObject));
    }
    checkDirectDraw(sites.lock, surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr));
    takeLockedBuffer(desc, buffer, pitch);
}

void createBackBuffer() {
    describeOffscreenSurface(display.backDesc);
    createLockedSurface(display.backDesc, display.backSurface, display.backBuffer,
                        display.backPitch, SurfaceSites{7, 8, 9});
}

void createBackAndLayer() {
    describeOffscreenSurface(display.backDesc);
    // Same size and format: the layer is copied whole into the back buffer by blits.
    display.layerDesc = display.backDesc;
    createLockedSurface(display.backDesc, display.backSurface, display.backBuffer,
                        display.backPitch, SurfaceSites{10, 11, 12});
    createLockedSurface(display.layerDesc, display.layerSurface, display.layerBuffer,
                        display.layerPitch, SurfaceSites{13, 14, 15});
}

HRESULT createPrimarySurface() {
    std::memset(&display.primaryDesc, 0, sizeof display.primaryDesc);
    display.primaryDesc.dwSize = sizeof(DDSURFACEDESC);
    display.primaryDesc.dwFlags = DDSD_CAPS;
    display.primaryDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    return display.directDraw->CreateSurface(&display.primaryDesc, &display.primarySurface,
                                             nullptr);
}

namespace {

void takeScreenExclusively() {
    checkDirectDraw(2401, DirectDrawCreate(nullptr, &display.directDraw, nullptr));
    checkDirectDraw(2402, display.directDraw->SetCooperativeLevel(
                              mainWindow, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE |
                                              DDSCL_ALLOWMODEX));
}

// 24 bits, else 32 at the screen size; the result of the 32-bit attempt when both are refused.
HRESULT trySetTrueColourMode() {
    const DWORD width = (DWORD)display.screenWidth;
    const DWORD height = (DWORD)display.screenHeight;
    if (display.directDraw->SetDisplayMode(width, height, 24) == DD_OK) {
        display.pixelMode = pixelModeTrueColour24;
        return DD_OK;
    }
    const HRESULT result = display.directDraw->SetDisplayMode(width, height, 32);
    if (result == DD_OK) {
        display.pixelMode = pixelModeTrueColour32;
    }
    return result;
}

} // namespace

void openDisplayTrueColour() {
    takeScreenExclusively();
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

void openDisplayTrueColourFallingBack(int fallbackWidth, int fallbackHeight) {
    takeScreenExclusively();
    if (trySetTrueColourMode() != DD_OK) {
        std::fprintf(stderr, "quarnel: the display does not offer %dx%d; flying at %dx%d\n",
                     display.screenWidth, display.screenHeight, fallbackWidth, fallbackHeight);
        display.screenWidth = fallbackWidth;
        display.screenHeight = fallbackHeight;
        checkDirectDraw(2403, trySetTrueColourMode());
    }
    checkDirectDraw(2405, createPrimarySurface());
    selectPixelOps();
}

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
