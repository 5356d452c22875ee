// The headless host's own controls: clock, script, faults, records, reset.
#include "platformFixture.h"

#include "platform/host/host.h"

#include <cstring>

using HeadlessHostTest = DisplayTest;

// Slots are filled by name; one left out would be a null call at its first use.
TEST(HeadlessHostRecord, EverySlotIsFilled) {
    EXPECT_TRUE(everyHostSlotFilled(activeHost));
    EXPECT_STREQ(activeHost.name, "headless");
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
