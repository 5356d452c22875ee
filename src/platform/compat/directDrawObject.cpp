// DirectDrawCreate and the DirectDraw object: cooperative level, display mode, creation of
// surfaces and palettes, validated the way a display driver would.
#include "platform/compat/directDrawObjects.h"
#include "platform/compat/screenMode.h"
#include "platform/compat/windowRegistry.h"
#include "platform/host/host.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#endif

std::vector<DirectDrawObject*> directDrawObjects;
DirectDrawObject* exclusiveOwner = nullptr;

// Larger than any display or surface we are willing to pretend to have.
static const DWORD largestSide = 16384;
static const int largestPitchPadding = 65536;

static bool depthSupported(DWORD bitsPerPixel) {
    return bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

HRESULT WINAPI DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    if (HRESULT injected = activeHost.injectedResult("DirectDrawCreate")) {
        if (directDraw) {
            *directDraw = nullptr;
        }
        return injected;
    }
    if (!directDraw) {
        return DDERR_INVALIDPARAMS;
    }
    *directDraw = nullptr;
    if (driver) {
        return DDERR_INVALIDDIRECTDRAWGUID; // only the active display driver exists
    }
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    DirectDrawObject* created = new (std::nothrow) DirectDrawObject;
    if (!created) {
        return DDERR_OUTOFMEMORY;
    }
    directDrawObjects.push_back(created);
    *directDraw = created;
    return DD_OK;
}

ULONG WINAPI DirectDrawObject::AddRef() {
    return ++references;
}

static void giveUpScreen(DirectDrawObject* object) {
    if (object->modeSet) {
        object->modeSet = false;
        setScreenMode(desktopMode);
    }
    if (exclusiveOwner == object) {
        exclusiveOwner = nullptr;
    }
}

ULONG WINAPI DirectDrawObject::Release() {
    if (HRESULT injected = activeHost.injectedResult("IDirectDraw::Release")) {
        return static_cast<ULONG>(injected);
    }
    if (--references > 0) {
        return references;
    }
    // Everything this object made goes with it; see directDrawObjects.h.
    for (DirectDrawSurfaceObject* surface : std::vector<DirectDrawSurfaceObject*>(surfaceObjects)) {
        if (surface->owner == this) {
            invalidateSurface(surface);
        }
    }
    for (DirectDrawPaletteObject* palette : paletteObjects) {
        if (palette->owner == this) {
            palette->owner = nullptr;
        }
    }
    giveUpScreen(this);
    directDrawObjects.erase(std::find(directDrawObjects.begin(), directDrawObjects.end(), this));
    delete this;
    return 0;
}

HRESULT WINAPI DirectDrawObject::SetCooperativeLevel(HWND newWindow, DWORD flags) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDraw::SetCooperativeLevel")) {
        return injected;
    }
    bool fullScreen = (flags & DDSCL_FULLSCREEN) != 0;
    bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    bool normal = (flags & DDSCL_NORMAL) != 0;
    // Full screen and exclusive go together; normal goes with neither; one of the two is needed.
    if (fullScreen != exclusive || normal == exclusive) {
        return DDERR_INVALIDPARAMS;
    }
    if (exclusive && !findWindow(newWindow)) {
        return DDERR_INVALIDPARAMS; // exclusive mode belongs to a top-level window
    }
    if (newWindow && !findWindow(newWindow)) {
        return DDERR_INVALIDPARAMS;
    }
    if (exclusive && exclusiveOwner && exclusiveOwner != this) {
        return DDERR_EXCLUSIVEMODEALREADYSET;
    }
    if (exclusive) {
        exclusiveOwner = this;
    } else {
        giveUpScreen(this);
    }
    window = newWindow;
    cooperativeLevel = flags;
    return DD_OK;
}

HRESULT WINAPI DirectDrawObject::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDraw::SetDisplayMode")) {
        return injected;
    }
    if (exclusiveOwner != this) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    // Sizes arrive as DWORDs: a negative size is a huge one here.
    if (width == 0 || height == 0 || width > largestSide || height > largestSide ||
        !depthSupported(bitsPerPixel)) {
        return DDERR_INVALIDMODE;
    }
    int w = static_cast<int>(width);
    int h = static_cast<int>(height);
    int depth = static_cast<int>(bitsPerPixel);
    if (!activeHost.setDisplayMode(w, h, depth)) {
        return DDERR_INVALIDMODE;
    }
    modeSet = true;
    setScreenMode({w, h, depth});
    return DD_OK;
}

HRESULT WINAPI DirectDrawObject::RestoreDisplayMode() {
    if (HRESULT injected = activeHost.injectedResult("IDirectDraw::RestoreDisplayMode")) {
        return injected;
    }
    if (modeSet) {
        modeSet = false;
        setScreenMode(desktopMode);
    }
    return DD_OK;
}

static void fillPixelFormat(DDPIXELFORMAT* format, int bitsPerPixel,
                            const HostSurfaceFormat& host) {
    std::memset(format, 0, sizeof *format);
    format->dwSize = sizeof *format;
    format->dwRGBBitCount = static_cast<DWORD>(bitsPerPixel);
    if (bitsPerPixel == 8) {
        format->dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
        return;
    }
    format->dwFlags = DDPF_RGB;
    format->dwRBitMask = host.redMask;
    format->dwGBitMask = host.greenMask;
    format->dwBBitMask = host.blueMask;
}

// The depth asked for through DDSD_PIXELFORMAT, or 0 if the request is not one we can make.
static int requestedDepth(const DDPIXELFORMAT& format) {
    if (format.dwSize != sizeof(DDPIXELFORMAT)) {
        return 0;
    }
    if (format.dwFlags & DDPF_PALETTEINDEXED8) {
        return 8;
    }
    if ((format.dwFlags & DDPF_RGB) && depthSupported(format.dwRGBBitCount) &&
        format.dwRGBBitCount != 8) {
        return static_cast<int>(format.dwRGBBitCount);
    }
    return 0;
}

// A surface's memory, zeroed. A frame touches rows all over a screen of tens of megabytes, a
// TLB entry for each 4 KB page: where the system gives huge pages on request, a large surface
// asks for them before its pages are first touched.
static BYTE* allocatePixels(std::size_t bytes) {
    BYTE* pixels = new (std::nothrow) BYTE[bytes];
    if (!pixels) {
        return nullptr;
    }
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    const std::uintptr_t hugePage = std::uintptr_t(1) << 21;
    const std::uintptr_t start =
        (reinterpret_cast<std::uintptr_t>(pixels) + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(pixels) + bytes) & ~(hugePage - 1);
    if (end > start) {
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE); // a hint only
    }
#endif
    std::memset(pixels, 0, bytes);
    return pixels;
}

HRESULT WINAPI DirectDrawObject::CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                               IUnknown* outer) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDraw::CreateSurface")) {
        if (surface) {
            *surface = nullptr;
        }
        return injected;
    }
    if (!surface) {
        return DDERR_INVALIDPARAMS;
    }
    *surface = nullptr;
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC)) {
        return DDERR_INVALIDPARAMS;
    }
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    if (!cooperativeLevel) {
        return DDERR_NOCOOPERATIVELEVELSET;
    }
    // This generation of the interface has no client-supplied memory.
    if (desc->dwFlags & (DDSD_PITCH | DDSD_LPSURFACE)) {
        return DDERR_INVALIDPARAMS;
    }
    DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    bool isPrimary = (caps & DDSCAPS_PRIMARYSURFACE) != 0;
    if ((caps & DDSCAPS_SYSTEMMEMORY) && (caps & DDSCAPS_VIDEOMEMORY)) {
        return DDERR_INVALIDCAPS;
    }
    if (isPrimary && (caps & DDSCAPS_OFFSCREENPLAIN)) {
        return DDERR_INVALIDCAPS;
    }

    int width;
    int height;
    int depth = screenMode.bitsPerPixel;
    if (isPrimary) {
        // The primary is the screen: its size and format are the mode's, not the caller's.
        if (desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) {
            return DDERR_INVALIDPARAMS;
        }
        if (primary) {
            return DDERR_PRIMARYSURFACEALREADYEXISTS;
        }
        width = screenMode.width;
        height = screenMode.height;
        caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER | DDSCAPS_VISIBLE | DDSCAPS_VIDEOMEMORY;
    } else {
        if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) ||
            desc->dwWidth == 0 || desc->dwHeight == 0) {
            return DDERR_INVALIDPARAMS;
        }
        if (desc->dwWidth > largestSide) {
            return DDERR_TOOBIGWIDTH;
        }
        if (desc->dwHeight > largestSide) {
            return DDERR_TOOBIGHEIGHT;
        }
        width = static_cast<int>(desc->dwWidth);
        height = static_cast<int>(desc->dwHeight);
        if (desc->dwFlags & DDSD_PIXELFORMAT) {
            depth = requestedDepth(desc->ddpfPixelFormat);
            if (!depth) {
                return DDERR_INVALIDPIXELFORMAT;
            }
        }
        if (!(caps & (DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY))) {
            caps |= DDSCAPS_SYSTEMMEMORY; // all our memory is system memory
        }
    }

    HostSurfaceFormat hostFormat = {0xF800, 0x07E0, 0x001F, 0};
    if (depth != 16) {
        hostFormat = {0xFF0000, 0x00FF00, 0x0000FF, 0};
    }
    activeHost.surfaceFormat(depth, &hostFormat);
    if (depth != 16) {
        hostFormat.redMask = 0xFF0000; // only the 16-bit layouts vary between displays
        hostFormat.greenMask = 0x00FF00;
        hostFormat.blueMask = 0x0000FF;
    }
    if (depth == 16 && (desc->dwFlags & DDSD_PIXELFORMAT) && desc->ddpfPixelFormat.dwGBitMask) {
        hostFormat.redMask = desc->ddpfPixelFormat.dwRBitMask;
        hostFormat.greenMask = desc->ddpfPixelFormat.dwGBitMask;
        hostFormat.blueMask = desc->ddpfPixelFormat.dwBBitMask;
    }
    int padding = std::min(std::max(hostFormat.pitchPadding, 0), largestPitchPadding);
    std::size_t rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(depth / 8);
    std::size_t pitch =
        ((rowBytes + 3) & ~static_cast<std::size_t>(3)) + static_cast<std::size_t>(padding);

    DirectDrawSurfaceObject* created = new (std::nothrow) DirectDrawSurfaceObject;
    BYTE* pixels = allocatePixels(pitch * static_cast<std::size_t>(height));
    if (!created || !pixels) {
        delete created;
        delete[] pixels;
        return DDERR_OUTOFMEMORY;
    }
    created->owner = this;
    created->primary = isPrimary;
    created->caps = caps;
    created->width = width;
    created->height = height;
    created->pitch = static_cast<LONG>(pitch);
    fillPixelFormat(&created->format, depth, hostFormat);
    created->pixels = pixels;
    surfaceObjects.push_back(created);
    if (isPrimary) {
        primary = created;
    }
    *surface = created;
    return DD_OK;
}

HRESULT WINAPI DirectDrawObject::CreatePalette(DWORD flags, LPPALETTEENTRY entries,
                                               LPDIRECTDRAWPALETTE* palette, IUnknown* outer) {
    if (HRESULT injected = activeHost.injectedResult("IDirectDraw::CreatePalette")) {
        if (palette) {
            *palette = nullptr;
        }
        return injected;
    }
    if (!palette) {
        return DDERR_INVALIDPARAMS;
    }
    *palette = nullptr;
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    if (!entries) {
        return DDERR_INVALIDPARAMS;
    }
    if (!cooperativeLevel) {
        return DDERR_NOCOOPERATIVELEVELSET;
    }
    if (!(flags & DDPCAPS_8BIT)) {
        return DDERR_UNSUPPORTED; // 1-, 2- and 4-bit palettes belong to other hardware
    }
    DirectDrawPaletteObject* created = new (std::nothrow) DirectDrawPaletteObject;
    if (!created) {
        return DDERR_OUTOFMEMORY;
    }
    created->owner = this;
    created->caps = flags;
    std::memcpy(created->entries, entries, sizeof created->entries);
    if (!(flags & DDPCAPS_ALLOW256)) {
        // Without ALLOW256 the first and last entries stay black and white for the system.
        created->entries[0] = {0, 0, 0, 0};
        created->entries[255] = {255, 255, 255, 0};
    }
    paletteObjects.push_back(created);
    *palette = created;
    return DD_OK;
}
