// Surfaces: memory with a pitch, locked and unlocked, copied by BltFast, lent to GDI, given a
// palette. The primary is what the host shows.
#include "platform/compat/directDrawObjects.h"
#include "platform/host/host.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

std::vector<DirectDrawSurfaceObject*> surfaceObjects;

DirectDrawSurfaceObject* knownSurface(IDirectDrawSurface* surface) {
    for (DirectDrawSurfaceObject* known : surfaceObjects) {
        if (static_cast<IDirectDrawSurface*>(known) == surface) {
            return known;
        }
    }
    return nullptr;
}

static int bytesPerPixel(const DirectDrawSurfaceObject* surface) {
    return static_cast<int>(surface->format.dwRGBBitCount / 8);
}

namespace {

// The memory the host was last shown, to tell a change of the same picture from another one.
struct ShownSurface {
    const BYTE* pixels;
    int width;
    int height;
    LONG pitch;
    int bytesPerPixel;
};

ShownSurface shown = {};
// The host must take the next frame whole (its palette changed).
bool wholeNext = true;
// What the program said the next unlock of the visible surface changes.
std::vector<HostRect> declared;
bool changesDeclared = false;

} // namespace

void declareScreenChanges(const HostRect* rects, int count) {
    declared.assign(rects, rects + (count > 0 ? count : 0));
    changesDeclared = true;
}

void presentWholeNext(void) {
    wholeNext = true;
}

void forgetShownSurface(void) {
    shown = {};
    wholeNext = true;
    changesDeclared = false;
}

void presentPrimary(const DirectDrawSurfaceObject* surface, const RECT* area, bool unlocked) {
    if (!surface->primary || !surface->owner) {
        return;
    }
    const bool useDeclared = changesDeclared && unlocked;
    changesDeclared = false;
    static HostPaletteEntry palette[256];
    bool withPalette = surface->palette && bytesPerPixel(surface) == 1;
    if (withPalette) {
        for (int i = 0; i < 256; i++) {
            const PALETTEENTRY& entry = surface->palette->entries[i];
            palette[i] = {entry.peRed, entry.peGreen, entry.peBlue, entry.peFlags};
        }
    }
    const ShownSurface now = {surface->pixels, surface->width, surface->height, surface->pitch,
                              bytesPerPixel(surface)};
    const bool sameSurface = !wholeNext && now.pixels == shown.pixels && now.width == shown.width &&
                             now.height == shown.height && now.pitch == shown.pitch &&
                             now.bytesPerPixel == shown.bytesPerPixel;
    static HostRect one;
    const HostRect* changed = nullptr;
    int changedCount = 0;
    if (sameSurface && useDeclared) {
        changed = declared.empty() ? &one : declared.data(); // not null: nothing changed
        changedCount = static_cast<int>(declared.size());
    } else if (sameSurface && area != nullptr &&
               (area->left > 0 || area->top > 0 || area->right < surface->width ||
                area->bottom < surface->height)) {
        one = {area->left, area->top, area->right - area->left, area->bottom - area->top};
        changed = &one;
        changedCount = 1;
    }
    shown = now;
    wholeNext = false;
    HostFrame frame = {surface->pixels,
                       surface->width,
                       surface->height,
                       static_cast<int>(surface->pitch),
                       bytesPerPixel(surface),
                       withPalette ? palette : nullptr,
                       changed,
                       changedCount};
    activeHost.present(&frame);
}

void describeSurface(const DirectDrawSurfaceObject* surface, LPDDSURFACEDESC desc) {
    std::memset(desc, 0, sizeof *desc);
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwHeight = static_cast<DWORD>(surface->height);
    desc->dwWidth = static_cast<DWORD>(surface->width);
    desc->lPitch = surface->pitch;
    desc->ddpfPixelFormat = surface->format;
    desc->ddsCaps.dwCaps = surface->caps;
}

void invalidateSurface(DirectDrawSurfaceObject* surface) {
    if (!surface->owner) {
        return;
    }
    if (surface->owner->primary == surface) {
        surface->owner->primary = nullptr;
    }
    surface->owner = nullptr;
    if (surface->pixels != nullptr && surface->pixels == shown.pixels) {
        forgetShownSurface();
    }
    if (activeHost.surfaceMemoryGoing != nullptr && surface->pixels != nullptr) {
        activeHost.surfaceMemoryGoing(surface->pixels);
    }
    delete[] surface->pixels;
    surface->pixels = nullptr;
    surface->lockedAt = nullptr;
    surface->dc = nullptr;
    if (DirectDrawPaletteObject* palette = surface->palette) {
        surface->palette = nullptr;
        palette->Release();
    }
}

void freeSurface(DirectDrawSurfaceObject* surface) {
    invalidateSurface(surface);
    surfaceObjects.erase(std::find(surfaceObjects.begin(), surfaceObjects.end(), surface));
    delete surface;
}

ULONG WINAPI DirectDrawSurfaceObject::AddRef() {
    return ++references;
}

ULONG WINAPI DirectDrawSurfaceObject::Release() {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::Release")) {
        return static_cast<ULONG>(injected);
    }
    if (--references > 0) {
        return references;
    }
    freeSurface(this);
    return 0;
}

static bool rectangleInside(const RECT& rect, int width, int height) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= width && rect.bottom <= height;
}

HRESULT WINAPI DirectDrawSurfaceObject::Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD, HANDLE) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::Lock")) {
        return injected;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC)) {
        return DDERR_INVALIDPARAMS;
    }
    if (lockedAt || dc) {
        return DDERR_SURFACEBUSY;
    }
    RECT area = {0, 0, width, height};
    if (rect) {
        if (!rectangleInside(*rect, width, height)) {
            return DDERR_INVALIDRECT;
        }
        area = *rect;
    }
    lockedArea = area;
    lockedWhole = rect == nullptr;
    lockedAt = pixels + static_cast<std::ptrdiff_t>(area.top) * pitch +
               static_cast<std::ptrdiff_t>(area.left) * bytesPerPixel(this);
    describeSurface(this, desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = lockedAt;
    return DD_OK;
}

HRESULT WINAPI DirectDrawSurfaceObject::Unlock(LPVOID surfaceData) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::Unlock")) {
        return injected;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    if (!lockedAt) {
        return DDERR_NOTLOCKED;
    }
    // Null or the pointer the lock handed out.
    if (surfaceData && surfaceData != lockedAt) {
        return DDERR_INVALIDPARAMS;
    }
    lockedAt = nullptr;
    presentPrimary(this, lockedWhole ? nullptr : &lockedArea, true);
    return DD_OK;
}

HRESULT WINAPI DirectDrawSurfaceObject::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source,
                                                LPRECT sourceRect, DWORD transfer) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::BltFast")) {
        return injected;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    DirectDrawSurfaceObject* from = knownSurface(source);
    if (!from) {
        return DDERR_INVALIDPARAMS;
    }
    if (!from->owner) {
        return DDERR_INVALIDOBJECT;
    }
    if (transfer & (DDBLTFAST_SRCCOLORKEY | DDBLTFAST_DESTCOLORKEY)) {
        return DDERR_UNSUPPORTED; // no colour keys in this layer
    }
    if (transfer & ~static_cast<DWORD>(DDBLTFAST_WAIT | DDBLTFAST_DONOTWAIT)) {
        return DDERR_INVALIDPARAMS;
    }
    if (from->owner != owner) {
        return DDERR_INVALIDPARAMS; // surfaces of two DirectDraw objects do not meet
    }
    if (from->format.dwRGBBitCount != format.dwRGBBitCount) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    if (lockedAt || dc || from->lockedAt || from->dc) {
        return DDERR_SURFACEBUSY;
    }
    RECT area = {0, 0, from->width, from->height};
    if (sourceRect) {
        if (!rectangleInside(*sourceRect, from->width, from->height)) {
            return DDERR_INVALIDRECT;
        }
        area = *sourceRect;
    }
    uint64_t areaWidth = static_cast<uint64_t>(area.right - area.left);
    uint64_t areaHeight = static_cast<uint64_t>(area.bottom - area.top);
    if (x + areaWidth > static_cast<uint64_t>(width) ||
        y + areaHeight > static_cast<uint64_t>(height)) {
        return DDERR_INVALIDRECT; // BltFast does not clip
    }

    int pixelBytes = bytesPerPixel(this);
    std::size_t rowBytes =
        static_cast<std::size_t>(areaWidth) * static_cast<std::size_t>(pixelBytes);
    const BYTE* sourceRow = from->pixels + static_cast<std::ptrdiff_t>(area.top) * from->pitch +
                            static_cast<std::ptrdiff_t>(area.left) * pixelBytes;
    BYTE* targetRow = pixels + static_cast<std::ptrdiff_t>(y) * pitch +
                      static_cast<std::ptrdiff_t>(x) * pixelBytes;
    // Within one surface the rows may overlap: copy away from the overlap.
    bool upwards = from == this && targetRow > sourceRow;
    for (uint64_t row = 0; row < areaHeight; row++) {
        std::ptrdiff_t index = static_cast<std::ptrdiff_t>(upwards ? areaHeight - 1 - row : row);
        std::memmove(targetRow + index * pitch, sourceRow + index * from->pitch, rowBytes);
    }
    const RECT target = {static_cast<LONG>(x), static_cast<LONG>(y),
                         static_cast<LONG>(x + areaWidth), static_cast<LONG>(y + areaHeight)};
    presentPrimary(this, &target, false);
    return DD_OK;
}

HRESULT WINAPI DirectDrawSurfaceObject::SetPalette(LPDIRECTDRAWPALETTE newPalette) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::SetPalette")) {
        return injected;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    DirectDrawPaletteObject* attached = nullptr;
    if (newPalette) {
        attached = knownPalette(newPalette);
        if (!attached) {
            return DDERR_INVALIDPARAMS;
        }
        if (attached->owner != owner) {
            return DDERR_INVALIDOBJECT;
        }
    }
    if (bytesPerPixel(this) != 1) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    if (attached == palette) {
        return DD_OK;
    }
    if (attached) {
        attached->AddRef();
    }
    DirectDrawPaletteObject* previous = palette;
    palette = attached;
    if (previous) {
        previous->Release();
    }
    if (attached) {
        paletteShown(attached);
    }
    return DD_OK;
}

HRESULT WINAPI DirectDrawSurfaceObject::GetPalette(LPDIRECTDRAWPALETTE* result) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::GetPalette")) {
        if (result) {
            *result = nullptr;
        }
        return injected;
    }
    if (!result) {
        return DDERR_INVALIDPARAMS;
    }
    *result = nullptr;
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    if (!palette) {
        return DDERR_NOPALETTEATTACHED;
    }
    palette->AddRef();
    *result = palette;
    return DD_OK;
}

HRESULT WINAPI DirectDrawSurfaceObject::GetDC(HDC* result) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::GetDC")) {
        if (result) {
            *result = nullptr;
        }
        return injected;
    }
    if (!result) {
        return DDERR_INVALIDPARAMS;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    if (dc) {
        return DDERR_DCALREADYCREATED;
    }
    if (lockedAt) {
        return DDERR_SURFACEBUSY;
    }
    // A handle of its own for every surface; nothing draws through it.
    dc = reinterpret_cast<HDC>(reinterpret_cast<uintptr_t>(this) | 1);
    *result = dc;
    return DD_OK;
}

HRESULT WINAPI DirectDrawSurfaceObject::ReleaseDC(HDC lent) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::ReleaseDC")) {
        return injected;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    if (!dc) {
        return DDERR_NODC;
    }
    if (lent != dc) {
        return DDERR_INVALIDPARAMS;
    }
    dc = nullptr;
    presentPrimary(this, nullptr, false);
    return DD_OK;
}

HRESULT WINAPI DirectDrawSurfaceObject::GetSurfaceDesc(LPDDSURFACEDESC desc) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDrawSurface::GetSurfaceDesc")) {
        return injected;
    }
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC)) {
        return DDERR_INVALIDPARAMS;
    }
    if (!owner) {
        return DDERR_INVALIDOBJECT;
    }
    describeSurface(this, desc);
    return DD_OK;
}
