#include "display/backBuffers.h"

#include "display/surfaceAccess.h"
#include "record/displayState.h"
#include "window/fatalError.h"

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
