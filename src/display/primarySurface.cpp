#include "display/primarySurface.h"

#include "record/displayState.h"

#include <cstring>

HRESULT createPrimarySurface() {
    std::memset(&display.primaryDesc, 0, sizeof display.primaryDesc);
    display.primaryDesc.dwSize = sizeof(DDSURFACEDESC);
    display.primaryDesc.dwFlags = DDSD_CAPS;
    display.primaryDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    return display.directDraw->CreateSurface(&display.primaryDesc, &display.primarySurface,
                                             nullptr);
}
