// Our DirectDraw objects behind the interfaces. Surfaces and palettes belong to the DirectDraw
// object that created them (they hold no reference on it). When it goes, they are invalidated:
// pixel memory is freed at once, and what is left is a small shell whose methods answer
// DDERR_INVALIDOBJECT and whose Release still counts down and frees it. So a holder that
// forgets to release first never touches freed memory through the interface.
#pragma once

#include "platform/compat/directDrawApi.h"
#include "platform/host/host.h"

#include <vector>

struct DirectDrawObject;
struct DirectDrawPaletteObject;

struct DirectDrawSurfaceObject final : IDirectDrawSurface {
    ULONG references = 1;
    DirectDrawObject* owner = nullptr; // null once invalidated
    bool primary = false;
    DWORD caps = 0;
    int width = 0;
    int height = 0;
    LONG pitch = 0;
    DDPIXELFORMAT format = {};
    BYTE* pixels = nullptr;
    BYTE* lockedAt = nullptr; // what Lock handed out; null while unlocked
    RECT lockedArea = {};     // and the part it lent
    bool lockedWhole = true;  // locked with no rectangle
    HDC dc = nullptr;         // lent out by GetDC; null otherwise
    DirectDrawPaletteObject* palette = nullptr;

    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;
    HRESULT WINAPI Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) override;
    HRESULT WINAPI Unlock(LPVOID surfaceData) override;
    HRESULT WINAPI BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                           DWORD transfer) override;
    HRESULT WINAPI SetPalette(LPDIRECTDRAWPALETTE palette) override;
    HRESULT WINAPI GetPalette(LPDIRECTDRAWPALETTE* palette) override;
    HRESULT WINAPI GetDC(HDC* dc) override;
    HRESULT WINAPI ReleaseDC(HDC dc) override;
    HRESULT WINAPI GetSurfaceDesc(LPDDSURFACEDESC desc) override;
};

struct DirectDrawPaletteObject final : IDirectDrawPalette {
    ULONG references = 1;
    DirectDrawObject* owner = nullptr; // null once invalidated
    DWORD caps = 0;
    PALETTEENTRY entries[256] = {};

    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;
    HRESULT WINAPI GetEntries(DWORD flags, DWORD base, DWORD count,
                              LPPALETTEENTRY entries) override;
    HRESULT WINAPI SetEntries(DWORD flags, DWORD base, DWORD count,
                              LPPALETTEENTRY entries) override;
};

struct DirectDrawObject final : IDirectDraw {
    ULONG references = 1;
    HWND window = nullptr;
    DWORD cooperativeLevel = 0; // 0 until SetCooperativeLevel succeeds
    bool modeSet = false;       // this object changed the screen mode
    DirectDrawSurfaceObject* primary = nullptr;

    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;
    HRESULT WINAPI CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                                 IUnknown* outer) override;
    HRESULT WINAPI CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                 IUnknown* outer) override;
    HRESULT WINAPI SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT WINAPI SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) override;
    HRESULT WINAPI RestoreDisplayMode() override;
};

// Everything in memory, invalidated shells included; objects are created and freed only
// through these lists.
extern std::vector<DirectDrawObject*> directDrawObjects;
extern std::vector<DirectDrawSurfaceObject*> surfaceObjects;
extern std::vector<DirectDrawPaletteObject*> paletteObjects;
// The object holding exclusive mode, if any.
extern DirectDrawObject* exclusiveOwner;

// Finds our object behind an interface pointer handed to us, or null if it is not one.
DirectDrawSurfaceObject* knownSurface(IDirectDrawSurface* surface);
DirectDrawPaletteObject* knownPalette(IDirectDrawPalette* palette);

// Surface and palette objects are created by DirectDrawObject and freed here.
void invalidateSurface(DirectDrawSurfaceObject* surface);
void freeSurface(DirectDrawSurfaceObject* surface);
void freePalette(DirectDrawPaletteObject* palette);
// Shows the primary's pixels on the host (after a blit onto it, its unlock or its DC's return).
// area: the part that changed, null for the whole; at an unlock, what the program declared
// (declareScreenChanges) instead, if it did.
void presentPrimary(const DirectDrawSurfaceObject* surface, const RECT* area, bool unlocked);
// The host's next frame is whole: the palette changed, or the layer was reset.
void presentWholeNext(void);
// The next unlock of the visible surface changes only these rectangles of it.
void declareScreenChanges(const HostRect* rects, int count);
void forgetShownSurface(void);
// Tells the host about the palette of the visible surface, if this palette is it.
void paletteShown(const DirectDrawPaletteObject* palette);
// Fills a description the way Lock and GetSurfaceDesc do.
void describeSurface(const DirectDrawSurfaceObject* surface, LPDDSURFACEDESC desc);
