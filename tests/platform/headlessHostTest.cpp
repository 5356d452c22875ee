// The headless host's own controls: clock, script, faults, records, reset.
#include "platformFixture.h"

#include "platform/host/host.h"

#include <cstring>

using HeadlessHostTest = DisplayTest;

// Slots are filled by name; one left out would be a null call at its first use.
TEST(HeadlessHostRecord, EverySlotIsFilled) {
    EXPECT_TRUE(everyHostSlotFilled(activeHost));
    EXPECT_NE(activeHost.surfaceMemoryGoing, nullptr) << "it reads presented rows in place";
    EXPECT_STREQ(activeHost.name, "headless");
}

// The last frame is read where the screen keeps it until the layer frees that memory; then it
// is a copy. Rows with padding are copied at once, so later writes do not show through.
TEST_F(HeadlessHostTest, LastFrameOutlivesTheScreensMemory) {
    for (int extraPitch : {0, 8}) {
        headlessReset();
        headlessSetExtraPitch(extraPitch);
        openDisplay(16, 8, 32);
        LPDIRECTDRAWSURFACE primary = create(primaryDesc());
        ASSERT_NE(primary, nullptr);
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        for (int y = 0; y < 8; ++y) {
            std::memset(static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch, 10 + y, 64);
        }
        ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
        if (extraPitch != 0) {
            ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
            std::memset(desc.lpSurface, 0xEE, 64);
            EXPECT_EQ(headlessLastFrame()->pixels[0], 10) << "a padded screen is copied";
            ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
        }
        const int presents = headlessPresentCount();
        EXPECT_EQ(primary->Release(), 0u);
        EXPECT_EQ(directDraw->Release(), 0u);
        directDraw = nullptr;
        const HeadlessFrame* frame = headlessLastFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(headlessPresentCount(), presents);
        ASSERT_EQ(frame->width, 16);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 64; ++x) {
                ASSERT_EQ(frame->pixels[y * 64 + x], y == 0 && extraPitch != 0 ? 0xEE : 10 + y)
                    << x << "," << y << " extra pitch " << extraPitch;
            }
        }
    }
}

TEST_F(HeadlessHostTest, VirtualClockMovesOnlyWhenTold) {
    headlessSetTickCount(0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    Sleep(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u) << "wraps like the real counter";
    headlessAdvanceTicks(5);
    EXPECT_EQ(GetTickCount(), 0x15u);
}

TEST_F(HeadlessHostTest, PauseHoldsTheScriptAcrossAClockWrap) {
    createWindow();
    pumpAll();
    headlessSetTickCount(0xFFFFFFFFu - 10);
    headlessQueuePause(40);
    headlessQueueKeyDown('K');
    EXPECT_EQ(headlessPendingEvents(), 1);
    EXPECT_TRUE(pumpAll().empty());
    Sleep(39);
    EXPECT_TRUE(pumpAll().empty());
    Sleep(1);
    EXPECT_EQ(pumpAll(), std::vector<UINT>({WM_KEYDOWN, WM_CHAR}));
    EXPECT_EQ(headlessPendingEvents(), 0);
}

TEST_F(HeadlessHostTest, NthCallFailsOnceAndOnlyThatCall) {
    openDisplay(320, 240, 32);
    headlessFailCall("CreateSurface", 2, DDERR_OUTOFMEMORY);
    LPDIRECTDRAWSURFACE first = create(offscreenDesc(8, 8));
    LPDIRECTDRAWSURFACE second = reinterpret_cast<LPDIRECTDRAWSURFACE>(1);
    DDSURFACEDESC desc = offscreenDesc(8, 8);
    EXPECT_EQ(directDraw->CreateSurface(&desc, &second, nullptr), DDERR_OUTOFMEMORY);
    EXPECT_EQ(second, nullptr);
    LPDIRECTDRAWSURFACE third = create(offscreenDesc(8, 8));
    EXPECT_NE(third, nullptr);
    EXPECT_EQ(headlessCallCount("CreateSurface"), 3);
    EXPECT_EQ(headlessCallCount("IDirectDraw::CreateSurface"), 3);
    EXPECT_EQ(headlessLiveObjectCount(), 3);
    first->Release();
    third->Release();
    directDraw->Release();
}

TEST_F(HeadlessHostTest, EveryCallFailsAndNamesCanBeQualified) {
    openDisplay(320, 240, 32);
    LPDIRECTDRAWSURFACE surface = create(offscreenDesc(8, 8));
    headlessFailEveryCall("Lock", DDERR_SURFACELOST);
    headlessFailCall("IDirectDraw::Release", 1, 5);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    }
    EXPECT_EQ(surface->Release(), 0u) << "a surface's Release is not the DirectDraw object's";
    EXPECT_EQ(directDraw->Release(), 5u);
    EXPECT_EQ(directDraw->Release(), 0u);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

TEST_F(HeadlessHostTest, DirectDrawCreateAndRegistrationFailOnRequest) {
    headlessFailCall("DirectDrawCreate", 1, DDERR_GENERIC);
    LPDIRECTDRAW object = reinterpret_cast<LPDIRECTDRAW>(1);
    EXPECT_EQ(DirectDrawCreate(nullptr, &object, nullptr), DDERR_GENERIC);
    EXPECT_EQ(object, nullptr);
    headlessFailCall("RegisterClassA", 1, 1);
    EXPECT_EQ(createWindow(), nullptr);
    EXPECT_NE(createWindow(), nullptr);
}

TEST_F(HeadlessHostTest, MessageBoxesAreRecordedAndReturnAtOnce) {
    EXPECT_EQ(headlessMessageBoxCount(), 0);
    EXPECT_STREQ(headlessLastMessageBoxText(), "");
    EXPECT_EQ(MessageBoxA(nullptr, "DirectDraw error 88760078 @ 2403", "Oh sod it",
                          MB_ICONERROR | MB_SETFOREGROUND),
              IDOK);
    EXPECT_EQ(headlessMessageBoxCount(), 1);
    EXPECT_STREQ(headlessLastMessageBoxText(), "DirectDraw error 88760078 @ 2403");
    EXPECT_STREQ(headlessLastMessageBoxCaption(), "Oh sod it");
    EXPECT_EQ(headlessLastMessageBoxFlags(), 0x10010u);
}

TEST_F(HeadlessHostTest, CommandLineAndModuleHandle) {
    EXPECT_STREQ(GetCommandLineA(), "quarnel");
    headlessSetCommandLine("quarnel.exe -fast");
    EXPECT_STREQ(GetCommandLineA(), "quarnel.exe -fast");
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
}

TEST_F(HeadlessHostTest, ResetForgetsEverything) {
    openDisplay(320, 240, 8);
    LPDIRECTDRAWSURFACE surface = create(primaryDesc());
    (void)surface;
    headlessRefuseDepth(32);
    headlessSetExtraPitch(12);
    headlessFailEveryCall("Lock", DDERR_GENERIC);
    headlessQueueKeyDown('A');
    ShowCursor(FALSE);
    MessageBoxA(nullptr, "x", "y", 0);
    headlessReset(); // the surface and DirectDraw object go without a Release
    EXPECT_EQ(headlessLiveObjectCount(), 0);
    EXPECT_EQ(headlessPendingEvents(), 0);
    EXPECT_EQ(headlessMessageBoxCount(), 0);
    EXPECT_EQ(headlessCallCount("Lock"), 0);
    EXPECT_TRUE(headlessCursorVisible());
    EXPECT_EQ(ShowCursor(FALSE), -1) << "the layer's counter starts over too";
    EXPECT_EQ(GetTickCount(), 0u);
    receivedMessages.clear();
    openDisplay(320, 240, 32);
    LPDIRECTDRAWSURFACE fresh = create(offscreenDesc(3, 1));
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(fresh->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.lPitch, 12);
    fresh->Unlock(nullptr);
}
