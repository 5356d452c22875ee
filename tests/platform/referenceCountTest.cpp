// Reference counts: objects are freed when the last reference goes, and what releasing the
// DirectDraw object does to the surfaces and palettes it made.
#include "platformFixture.h"

using ReferenceCountTest = DisplayTest;

TEST_F(ReferenceCountTest, CountsGoUpAndDownAndFreeAtZero) {
    openDisplay(640, 480, 32);
    LPDIRECTDRAWSURFACE surface = create(offscreenDesc(32, 32));
    EXPECT_EQ(headlessLiveObjectCount(), 2);
    EXPECT_EQ(surface->AddRef(), 2u);
    EXPECT_EQ(surface->AddRef(), 3u);
    EXPECT_EQ(surface->Release(), 2u);
    EXPECT_EQ(surface->Release(), 1u);
    EXPECT_EQ(headlessLiveObjectCount(), 2);
    EXPECT_EQ(surface->Release(), 0u);
    EXPECT_EQ(headlessLiveObjectCount(), 1);
    EXPECT_EQ(directDraw->AddRef(), 2u);
    EXPECT_EQ(directDraw->Release(), 1u);
    EXPECT_EQ(directDraw->Release(), 0u);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

TEST_F(ReferenceCountTest, ReleasingDirectDrawInvalidatesWhatItMade) {
    openDisplay(640, 480, 8);
    LPDIRECTDRAWSURFACE primary = create(primaryDesc());
    LPDIRECTDRAWSURFACE back = create(offscreenDesc(64, 64));
    PALETTEENTRY entries[256] = {};
    LPDIRECTDRAWPALETTE palette = nullptr;
    ASSERT_EQ(
        directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr),
        DD_OK);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(directDraw->Release(), 0u);

    // The shells answer, and refuse.
    EXPECT_EQ(back->Unlock(nullptr), DDERR_INVALIDOBJECT);
    EXPECT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_INVALIDOBJECT);
    EXPECT_EQ(primary->BltFast(0, 0, back, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDOBJECT);
    LPDIRECTDRAWPALETTE attached = nullptr;
    EXPECT_EQ(primary->GetPalette(&attached), DDERR_INVALIDOBJECT);
    EXPECT_EQ(palette->SetEntries(0, 0, 1, entries), DDERR_INVALIDOBJECT);
    EXPECT_EQ(headlessPresentCount(), 0);
    EXPECT_EQ(headlessLiveObjectCount(), 3);
    EXPECT_EQ(palette->Release(), 0u) << "the primary let go of it when invalidated";
    EXPECT_EQ(back->Release(), 0u);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

TEST_F(ReferenceCountTest, InjectedReleaseFailureReleasesNothing) {
    openDisplay(640, 480, 32);
    LPDIRECTDRAWSURFACE primary = create(primaryDesc());
    headlessFailCall("IDirectDrawSurface::Release", 1, 1);
    EXPECT_EQ(primary->Release(), 1u);
    EXPECT_EQ(headlessLiveObjectCount(), 2);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
    EXPECT_EQ(headlessCallCount("Release"), 3);
}

// The life of the system's display, a thousand times over: nothing may stay behind (ASan
// builds check the memory itself).
TEST_F(ReferenceCountTest, AThousandDisplayCyclesLeaveNothing) {
    window = createWindow(320, 240);
    PALETTEENTRY entries[256] = {};
    for (int cycle = 0; cycle < 1000; cycle++) {
        LPDIRECTDRAW object = nullptr;
        ASSERT_EQ(DirectDrawCreate(nullptr, &object, nullptr), DD_OK);
        ASSERT_EQ(object->SetCooperativeLevel(window, 0x53), DD_OK);
        ASSERT_EQ(object->SetDisplayMode(320, 240, cycle % 2 ? 8 : 32), DD_OK);
        DDSURFACEDESC desc = primaryDesc();
        LPDIRECTDRAWSURFACE primary = nullptr;
        ASSERT_EQ(object->CreateSurface(&desc, &primary, nullptr), DD_OK);
        desc = offscreenDesc(320, 240);
        LPDIRECTDRAWSURFACE back = nullptr;
        ASSERT_EQ(object->CreateSurface(&desc, &back, nullptr), DD_OK);
        LPDIRECTDRAWPALETTE palette = nullptr;
        ASSERT_EQ(
            object->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr),
            DD_OK);
        if (cycle % 2) {
            ASSERT_EQ(primary->SetPalette(palette), DD_OK);
            ASSERT_EQ(back->SetPalette(palette), DD_OK);
        }
        ASSERT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        ASSERT_EQ(back->Unlock(nullptr), DD_OK);
        ASSERT_EQ(primary->BltFast(0, 0, back, nullptr, DDBLTFAST_WAIT), DD_OK);
        switch (cycle % 3) {
        case 0: // everything released, the DirectDraw object last
            back->Release();
            primary->Release();
            palette->Release();
            object->Release();
            break;
        case 1: // the DirectDraw object first, the shells afterwards
            object->Release();
            palette->Release();
            back->Release();
            primary->Release();
            break;
        default: // a surface released in the middle
            primary->Release();
            object->Release();
            back->Release();
            palette->Release();
            break;
        }
        ASSERT_EQ(headlessLiveObjectCount(), 0) << "cycle " << cycle;
    }
    EXPECT_EQ(headlessPresentCount(), 1000);
}
