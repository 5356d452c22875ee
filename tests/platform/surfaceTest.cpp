// Memory surfaces: creation checks, pitches, what Lock tells the caller, lock state.
#include "platformFixture.h"

#include <cstring>

using SurfaceTest = DisplayTest;

TEST_F(SurfaceTest, DescriptionSizeMustMatch) {
    openDisplay(640, 480, 32);
    DDSURFACEDESC desc = offscreenDesc(64, 64);
    desc.dwSize = 108 + (sizeof desc == 108 ? 4 : 0);
    LPDIRECTDRAWSURFACE surface = reinterpret_cast<LPDIRECTDRAWSURFACE>(1);
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface, nullptr);
    desc = offscreenDesc(64, 64);
    surface = create(desc);
    DDSURFACEDESC locked = {};
    locked.dwSize = sizeof locked - 4;
    EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface->Lock(nullptr, nullptr, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    surface->Release();
    directDraw->Release();
}

TEST_F(SurfaceTest, OffscreenSurfacesNeedASensibleSize) {
    openDisplay(640, 480, 32);
    LPDIRECTDRAWSURFACE surface = nullptr;
    DDSURFACEDESC desc = offscreenDesc(64, 64);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPARAMS);
    desc = offscreenDesc(0, 64);
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPARAMS);
    desc = offscreenDesc(static_cast<DWORD>(-800), 64);
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_TOOBIGWIDTH);
    desc = offscreenDesc(64, 20000);
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_TOOBIGHEIGHT);
    desc = offscreenDesc(64, 64);
    desc.ddsCaps.dwCaps |= DDSCAPS_VIDEOMEMORY;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDCAPS);
    desc = primaryDesc();
    desc.dwFlags |= DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = desc.dwHeight = 10;
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(headlessLiveObjectCount(), 1);
    directDraw->Release();
}

TEST_F(SurfaceTest, PitchIsRowBytesRoundedToFourPlusTheHostsPadding) {
    struct Case {
        int depth;
        DWORD width;
        LONG pitch;
    };
    const Case cases[] = {{8, 1, 4},  {8, 5, 8},   {8, 640, 640},   {16, 3, 8},
                          {24, 1, 4}, {24, 5, 16}, {24, 799, 2400}, {32, 7, 28}};
    for (const Case& c : cases) {
        headlessReset();
        openDisplay(640, 480, c.depth);
        LPDIRECTDRAWSURFACE plain = create(offscreenDesc(c.width, 3));
        headlessSetExtraPitch(64);
        LPDIRECTDRAWSURFACE padded = create(offscreenDesc(c.width, 3));
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(plain->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(desc.lPitch, c.pitch) << c.depth << " bits, " << c.width << " wide";
        // Writing every byte of every pitch must stay inside the memory (ASan watches).
        std::memset(desc.lpSurface, 0x5A, static_cast<size_t>(desc.lPitch) * 3);
        ASSERT_EQ(padded->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(desc.lPitch, c.pitch + 64);
        std::memset(desc.lpSurface, 0x5A, static_cast<size_t>(desc.lPitch) * 3);
        plain->Release();
        padded->Release();
        directDraw->Release();
    }
}

TEST_F(SurfaceTest, LockFillsTheCallersDescription) {
    openDisplay(640, 480, 32);
    DDSURFACEDESC desc = offscreenDesc(100, 50);
    LPDIRECTDRAWSURFACE surface = create(desc);
    std::memset(&desc, 0xCC, sizeof desc);
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_NE(desc.lpSurface, nullptr);
    EXPECT_EQ(desc.dwWidth, 100u);
    EXPECT_EQ(desc.dwHeight, 50u);
    EXPECT_EQ(desc.lPitch, 400);
    EXPECT_EQ(desc.dwFlags & (DDSD_LPSURFACE | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_WIDTH),
              static_cast<DWORD>(DDSD_LPSURFACE | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_WIDTH));
    EXPECT_EQ(desc.ddpfPixelFormat.dwSize, sizeof(DDPIXELFORMAT));
    EXPECT_EQ(desc.ddpfPixelFormat.dwFlags, static_cast<DWORD>(DDPF_RGB));
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, 0xFF0000u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, 0x00FF00u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwBBitMask, 0x0000FFu);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBAlphaBitMask, 0u);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);
    EXPECT_EQ(desc.dwBackBufferCount, 0u) << "fields not described are cleared";
    const BYTE* bytes = static_cast<const BYTE*>(desc.lpSurface);
    for (int i = 0; i < 400 * 50; i++) {
        ASSERT_EQ(bytes[i], 0) << "new surfaces start black";
    }
    surface->Release();
    directDraw->Release();
}

TEST_F(SurfaceTest, SixteenBitMasksFollowTheHost) {
    const DWORD layouts[][3] = {
        {0xF800, 0x07E0, 0x001F}, {0x7C00, 0x03E0, 0x001F}, {0x001F, 0x07E0, 0xF800}};
    for (const auto& masks : layouts) {
        headlessReset();
        if (masks[1] != 0x07E0 || masks[0] != 0xF800) {
            headlessSetMasks16(masks[0], masks[1], masks[2]);
        }
        openDisplay(320, 240, 16);
        LPDIRECTDRAWSURFACE primary = create(primaryDesc());
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, masks[0]);
        EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, masks[1]);
        EXPECT_EQ(desc.ddpfPixelFormat.dwBBitMask, masks[2]);
        EXPECT_EQ(desc.lPitch, 640);
        primary->Unlock(nullptr);
        primary->Release();
        directDraw->Release();
    }
}

TEST_F(SurfaceTest, EightBitSurfacesArePaletteIndexed) {
    openDisplay(320, 240, 8);
    LPDIRECTDRAWSURFACE surface = create(offscreenDesc(320, 240));
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_TRUE(desc.ddpfPixelFormat.dwFlags & DDPF_PALETTEINDEXED8);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 8u);
    EXPECT_EQ(desc.lpSurface, nullptr) << "only a lock hands out memory";
    surface->Release();
    directDraw->Release();
}

TEST_F(SurfaceTest, LockStateIsEnforced) {
    openDisplay(640, 480, 32);
    LPDIRECTDRAWSURFACE surface = create(offscreenDesc(64, 32));
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    void* first = desc.lpSurface;
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_EQ(surface->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Unlock(reinterpret_cast<BYTE*>(first) + 4), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface->Unlock(first), DD_OK);
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    EXPECT_NE(dc, nullptr);
    HDC second = nullptr;
    EXPECT_EQ(surface->GetDC(&second), DDERR_DCALREADYCREATED);
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->ReleaseDC(reinterpret_cast<HDC>(0x99)), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(surface->ReleaseDC(dc), DDERR_NODC);
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    surface->Unlock(nullptr);
    surface->Release();
    directDraw->Release();
}

TEST_F(SurfaceTest, LockOfARectanglePointsAtItsCorner) {
    openDisplay(640, 480, 24);
    LPDIRECTDRAWSURFACE surface = create(offscreenDesc(10, 10));
    DDSURFACEDESC whole = {};
    whole.dwSize = sizeof whole;
    ASSERT_EQ(surface->Lock(nullptr, &whole, DDLOCK_WAIT, nullptr), DD_OK);
    surface->Unlock(nullptr);
    RECT rect = {2, 3, 5, 7};
    DDSURFACEDESC part = {};
    part.dwSize = sizeof part;
    ASSERT_EQ(surface->Lock(&rect, &part, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(static_cast<BYTE*>(part.lpSurface),
              static_cast<BYTE*>(whole.lpSurface) + 3 * whole.lPitch + 2 * 3);
    surface->Unlock(nullptr);
    const RECT outside[] = {{0, 0, 11, 10}, {-1, 0, 5, 5}, {5, 5, 5, 6}, {0, 6, 4, 3}};
    for (RECT bad : outside) {
        EXPECT_EQ(surface->Lock(&bad, &part, DDLOCK_WAIT, nullptr), DDERR_INVALIDRECT);
    }
    surface->Release();
    directDraw->Release();
}

TEST_F(SurfaceTest, PrimaryUnlockShowsWhatWasDrawn) {
    openDisplay(4, 2, 32);
    LPDIRECTDRAWSURFACE primary = create(primaryDesc());
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    static_cast<BYTE*>(desc.lpSurface)[desc.lPitch + 4] = 0x77;
    EXPECT_EQ(headlessPresentCount(), 0);
    ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
    ASSERT_EQ(headlessPresentCount(), 1);
    const HeadlessFrame* frame = headlessLastFrame();
    EXPECT_EQ(frame->width, 4);
    EXPECT_EQ(frame->height, 2);
    EXPECT_EQ(frame->bytesPerPixel, 4);
    EXPECT_EQ(frame->pixels[16 + 4], 0x77);
    primary->Release();
    directDraw->Release();
}
