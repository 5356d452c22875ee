// Palettes: 256 entries, read and written in ranges; the one on the visible surface is the
// host's palette.
#include "platform/compat/directDrawObjects.h"
#include "platform/host/host.h"

#include <algorithm>
#include <cstring>

std::vector<DirectDrawPaletteObject*> paletteObjects;

DirectDrawPaletteObject* knownPalette(IDirectDrawPalette* palette) {
    for (DirectDrawPaletteObject* known : paletteObjects) {
        if (static_cast<IDirectDrawPalette*>(known) == palette) {
            return known;
        }
    }
    return nullptr;
}

void paletteShown(const DirectDrawPaletteObject* palette) {
    bool visible = false;
    for (const DirectDrawSurfaceObject* surface : surfaceObjects) {
        visible = visible || (surface->primary && surface->owner && surface->palette == palette);
    }
    if (!visible) {
        return;
    }
    HostPaletteEntry entries[256];
    for (int i = 0; i < 256; i++) {
        const PALETTEENTRY& entry = palette->entries[i];
        entries[i] = {entry.peRed, entry.peGreen, entry.peBlue, entry.peFlags};
    }
    presentWholeNext();
    activeHost.paletteChanged(entries);
}

void freePalette(DirectDrawPaletteObject* palette) {
    paletteObjects.erase(std::find(paletteObjects.begin(), paletteObjects.end(), palette));
    delete palette;
}

ULONG WINAPI DirectDrawPaletteObject::AddRef() {
    return ++references;
}

ULONG WINAPI DirectDrawPaletteObject::Release() {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawPalette::Release")) {
        return static_cast<ULONG>(injected);
    }
    if (--references > 0) {
        return references;
    }
    freePalette(this);
    return 0;
}

static bool rangeValid(DWORD flags, DWORD base, DWORD count, LPPALETTEENTRY entries) {
    return flags == 0 && entries && base < 256 && count <= 256 - base;
}

HRESULT WINAPI DirectDrawPaletteObject::GetEntries(DWORD flags, DWORD base, DWORD count,
                                                   LPPALETTEENTRY result) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawPalette::GetEntries")) {
        return injected;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    if (!rangeValid(flags, base, count, result)) {
        return DDERR_INVALIDPARAMS;
    }
    std::memcpy(result, entries + base, count * sizeof(PALETTEENTRY));
    return DD_OK;
}

HRESULT WINAPI DirectDrawPaletteObject::SetEntries(DWORD flags, DWORD base, DWORD count,
                                                   LPPALETTEENTRY given) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawPalette::SetEntries")) {
        return injected;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    if (!rangeValid(flags, base, count, given)) {
        return DDERR_INVALIDPARAMS;
    }
    for (DWORD i = 0; i < count; i++) {
        DWORD index = base + i;
        bool reserved = !(caps & DDPCAPS_ALLOW256) && (index == 0 || index == 255);
        if (!reserved) {
            entries[index] = given[i];
        }
    }
    paletteShown(this);
    return DD_OK;
}
