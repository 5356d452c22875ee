// Cooperative level and display modes: what a driver accepts, what it refuses and with which
// code, and who holds the screen.
#include "platformFixture.h"

using DisplayModeTest = DisplayTest;

TEST_F(DisplayModeTest, ModeNeedsExclusiveCooperativeLevel) {
    window = createWindow();
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 32), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 32), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 32), DD_OK);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DisplayModeTest, CooperativeLevelIsValidated) {
    window = createWindow();
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL | DDSCL_FULLSCREEN),
              DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetCooperativeLevel(nullptr, 0x53), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetCooperativeLevel(reinterpret_cast<HWND>(0x1234), 0x53),
              DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetCooperativeLevel(window, 0x53), DD_OK);
    directDraw->Release();
}

TEST_F(DisplayModeTest, ImpossibleModesAreInvalid) {
    openDisplay(640, 480, 32);
    const DWORD minusOne = static_cast<DWORD>(-1);
    const DWORD refused[][3] = {{0, 480, 32},        {640, 0, 32},     {minusOne, 480, 32},
                                {640, minusOne, 32}, {16385, 480, 32}, {640, 16385, 32},
                                {640, 480, 0},       {640, 480, 15},   {640, 480, 64}};
    for (const auto& mode : refused) {
        EXPECT_EQ(directDraw->SetDisplayMode(mode[0], mode[1], mode[2]), DDERR_INVALIDMODE)
            << mode[0] << "x" << mode[1] << "x" << mode[2];
    }
    HeadlessDisplayMode shown = headlessDisplayMode();
    EXPECT_EQ(shown.width, 640) << "a refused mode leaves the screen as it was";
    EXPECT_EQ(shown.bitsPerPixel, 32);
    for (DWORD depth : {8u, 16u, 24u, 32u}) {
        EXPECT_EQ(directDraw->SetDisplayMode(16384, 1, depth), DD_OK);
    }
    directDraw->Release();
}

TEST_F(DisplayModeTest, HostRefusesDepthsAndModes) {
    headlessRefuseDepth(24);
    headlessRefuseMode(800, 600, 32);
    window = createWindow();
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, 0x53), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 24), DDERR_INVALIDMODE);
    EXPECT_EQ(directDraw->SetDisplayMode(1024, 768, 24), DDERR_INVALIDMODE);
    EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 32), DDERR_INVALIDMODE);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 0);
    EXPECT_EQ(directDraw->SetDisplayMode(1024, 768, 32), DD_OK);
    EXPECT_EQ(headlessDisplayMode().width, 1024);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 32);
    EXPECT_EQ(headlessCallCount("SetDisplayMode"), 4);
    directDraw->Release();
}

TEST_F(DisplayModeTest, PrimaryTakesTheModeSizeAndDepth) {
    openDisplay(800, 600, 24);
    LPDIRECTDRAWSURFACE primary = create(primaryDesc());
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(primary->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 800u);
    EXPECT_EQ(desc.dwHeight, 600u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 24u);
    EXPECT_EQ(desc.lPitch, 2400);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE);
    LPDIRECTDRAWSURFACE second = reinterpret_cast<LPDIRECTDRAWSURFACE>(1);
    DDSURFACEDESC again = primaryDesc();
    EXPECT_EQ(directDraw->CreateSurface(&again, &second, nullptr),
              DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_EQ(second, nullptr) << "a failed creation leaves no stale pointer behind";
    EXPECT_EQ(primary->Release(), 0u);
    LPDIRECTDRAWSURFACE replacement = create(primaryDesc());
    EXPECT_NE(replacement, nullptr) << "once released, a new primary may be made";
    directDraw->Release();
}

TEST_F(DisplayModeTest, OnlyOneObjectHoldsExclusiveModeAndReleasingGivesItBack) {
    openDisplay(320, 200, 8);
    LPDIRECTDRAW other = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &other, nullptr), DD_OK);
    EXPECT_EQ(other->SetCooperativeLevel(window, 0x53), DDERR_EXCLUSIVEMODEALREADYSET);
    EXPECT_EQ(directDraw->Release(), 0u);
    EXPECT_EQ(other->SetCooperativeLevel(window, 0x53), DD_OK);
    // Without a mode of its own, its primary is the desktop again.
    LPDIRECTDRAWSURFACE primary = nullptr;
    DDSURFACEDESC desc = primaryDesc();
    ASSERT_EQ(other->CreateSurface(&desc, &primary, nullptr), DD_OK);
    ASSERT_EQ(primary->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 1024u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(other->Release(), 0u);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

TEST_F(DisplayModeTest, DirectDrawCreateTakesOnlyTheActiveDriver) {
    LPDIRECTDRAW created = reinterpret_cast<LPDIRECTDRAW>(1);
    alignas(8) unsigned char someGuid[16] = {1};
    EXPECT_EQ(DirectDrawCreate(reinterpret_cast<GUID*>(someGuid), &created, nullptr),
              DDERR_INVALIDDIRECTDRAWGUID);
    EXPECT_EQ(created, nullptr);
    EXPECT_EQ(DirectDrawCreate(nullptr, nullptr, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(DirectDrawCreate(nullptr, &created, reinterpret_cast<IUnknown*>(someGuid)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

TEST_F(DisplayModeTest, SurfacesNeedACooperativeLevel) {
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    LPDIRECTDRAWSURFACE surface = nullptr;
    DDSURFACEDESC desc = offscreenDesc(16, 16);
    EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    PALETTEENTRY entries[256] = {};
    LPDIRECTDRAWPALETTE palette = nullptr;
    EXPECT_EQ(
        directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr),
        DDERR_NOCOOPERATIVELEVELSET);
    directDraw->Release();
}
