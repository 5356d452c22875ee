// Mouse and keyboard: what the mouse messages carry, the virtual cursor under absolute and
// relative motion and SetCursorPos, the keyboard state, the cursor's visibility.
#include "platformFixture.h"

class InputTest : public PlatformTest {
  protected:
    HWND window = nullptr;
    void SetUp() override {
        PlatformTest::SetUp();
        window = createWindow(800, 600);
        pumpAll();
        receivedMessages.clear();
    }
    // Puts the screen into a mode, as the cursor lives on the screen.
    void setMode(int width, int height) {
        LPDIRECTDRAW directDraw = nullptr;
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
        ASSERT_EQ(directDraw->SetCooperativeLevel(window, 0x53), DD_OK);
        ASSERT_EQ(directDraw->SetDisplayMode(width, height, 32), DD_OK);
        heldDirectDraw = directDraw;
    }
    void TearDown() override {
        if (heldDirectDraw) {
            heldDirectDraw->Release();
        }
        PlatformTest::TearDown();
    }
    ReceivedMessage lastMouseMessage() {
        pumpAll();
        EXPECT_FALSE(receivedMessages.empty());
        return receivedMessages.empty() ? ReceivedMessage{} : receivedMessages.back();
    }
    LPDIRECTDRAW heldDirectDraw = nullptr;
};

TEST_F(InputTest, MouseMessagesCarryPositionAndButtons) {
    headlessQueueMouseMoveTo(400, 200, MK_LBUTTON | MK_RBUTTON);
    ReceivedMessage move = lastMouseMessage();
    EXPECT_EQ(move.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(move.window, window);
    EXPECT_EQ(LOWORD(move.lParam), 400);
    EXPECT_EQ(HIWORD(move.lParam), 200);
    EXPECT_EQ(move.wParam, static_cast<WPARAM>(MK_LBUTTON | MK_RBUTTON));

    headlessQueueButtonUp(MK_LBUTTON);
    ReceivedMessage up = lastMouseMessage();
    EXPECT_EQ(up.message, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(up.wParam, static_cast<WPARAM>(MK_RBUTTON)) << "the bits after the change";
    EXPECT_EQ(up.lParam, MAKELPARAM(400, 200));
    headlessQueueButtonDown(MK_LBUTTON);
    EXPECT_EQ(lastMouseMessage().message, static_cast<UINT>(WM_LBUTTONDOWN));
    headlessQueueButtonUp(MK_RBUTTON);
    EXPECT_EQ(lastMouseMessage().message, static_cast<UINT>(WM_RBUTTONUP));
    headlessQueueKeyDown(VK_SHIFT);
    headlessQueueMouseMoveBy(1, 0, MK_LBUTTON);
    EXPECT_EQ(lastMouseMessage().wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
}

TEST_F(InputTest, DoubleClicksOnlyForClassesThatAskAndOnlyInTime) {
    headlessQueueButtonDown(MK_LBUTTON);
    headlessQueueButtonUp(MK_LBUTTON);
    headlessQueueButtonDown(MK_LBUTTON);
    pumpAll();
    EXPECT_EQ(receivedMessages.back().message, static_cast<UINT>(WM_LBUTTONDOWN));

    headlessReset();
    receivedMessages.clear();
    HWND clicky = createWindow(800, 600, CS_DBLCLKS, "clicky");
    pumpAll();
    std::vector<UINT> seen;
    auto press = [&](DWORD button) {
        receivedMessages.clear();
        headlessQueueButtonDown(button);
        headlessQueueButtonUp(button);
        pumpAll();
        seen.push_back(receivedMessages.front().message);
    };
    press(MK_RBUTTON);
    press(MK_RBUTTON);
    press(MK_RBUTTON);
    Sleep(501);
    press(MK_RBUTTON);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONDOWN,
                                       WM_RBUTTONDOWN}));
    EXPECT_EQ(receivedMessages.front().window, clicky);
}

TEST_F(InputTest, RelativeMotionMovesTheVirtualCursorFromWhereSetCursorPosPutIt) {
    setMode(640, 480);
    SetCursorPos(320, 240);
    EXPECT_EQ(headlessLastWarp().x, 320);
    EXPECT_EQ(headlessLastWarp().y, 240);
    ReceivedMessage centred = lastMouseMessage();
    EXPECT_EQ(centred.message, static_cast<UINT>(WM_MOUSEMOVE)) << "SetCursorPos moved it";
    EXPECT_EQ(centred.lParam, MAKELPARAM(320, 240));

    headlessQueueMouseMoveBy(10, -5, 0);
    EXPECT_EQ(lastMouseMessage().lParam, MAKELPARAM(330, 235));
    SetCursorPos(320, 240);
    headlessQueueMouseMoveBy(-3, 4, MK_RBUTTON);
    ReceivedMessage moved = lastMouseMessage();
    EXPECT_EQ(moved.lParam, MAKELPARAM(317, 244));
    EXPECT_EQ(moved.wParam, static_cast<WPARAM>(MK_RBUTTON));

    // The cursor stays on the screen however far the mouse goes.
    headlessQueueMouseMoveBy(100000, -100000, 0);
    EXPECT_EQ(lastMouseMessage().lParam, MAKELPARAM(639, 0));
    SetCursorPos(-50, 5000);
    EXPECT_EQ(lastMouseMessage().lParam, MAKELPARAM(0, 479));
    EXPECT_EQ(headlessLastWarp().y, 479);
}

TEST_F(InputTest, SetCursorPosToWhereItIsSendsNothing) {
    SetCursorPos(100, 100);
    pumpAll();
    receivedMessages.clear();
    SetCursorPos(100, 100);
    EXPECT_TRUE(pumpAll().empty());
    EXPECT_EQ(headlessWarpCount(), 2) << "the host hears of every call";
}

TEST_F(InputTest, ConsecutiveMovesAreCoalesced) {
    headlessQueueMouseMoveTo(1, 1, 0);
    headlessQueueMouseMoveTo(2, 2, 0);
    headlessQueueMouseMoveTo(3, 3, MK_LBUTTON);
    headlessQueueMouseMoveTo(4, 4, MK_LBUTTON);
    EXPECT_EQ(pumpAll(), (std::vector<UINT>{WM_MOUSEMOVE, WM_MOUSEMOVE}));
    EXPECT_EQ(receivedMessages[0].lParam, MAKELPARAM(2, 2));
    EXPECT_EQ(receivedMessages[1].lParam, MAKELPARAM(4, 4));
}

TEST_F(InputTest, KeyboardStateFollowsTheMessagesTaken) {
    BYTE state[256];
    headlessQueueKeyDown(VK_ESCAPE);
    ASSERT_TRUE(GetKeyboardState(state));
    EXPECT_EQ(state[VK_ESCAPE] & 0x80, 0) << "not before its message is taken";
    pumpAll();
    ASSERT_TRUE(GetKeyboardState(state));
    EXPECT_EQ(state[VK_ESCAPE] & 0x80, 0x80);
    EXPECT_EQ(state[VK_ESCAPE] & 0x01, 0x01) << "one press toggles";
    EXPECT_EQ(state[0x51], 0);

    receivedMessages.clear();
    headlessQueueKeyDown(VK_ESCAPE); // auto-repeat
    headlessQueueKeyUp(VK_ESCAPE);
    headlessQueueMouseMoveTo(5, 5, MK_RBUTTON);
    EXPECT_EQ(pumpAll(), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_MOUSEMOVE}));
    ASSERT_EQ(receivedMessages.size(), 4u);
    EXPECT_EQ(receivedMessages[0].lParam & (1L << 30), 1L << 30) << "repeat: it was down";
    EXPECT_EQ(static_cast<DWORD>(receivedMessages[2].lParam) >> 30, 3u) << "release bits";
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_ESCAPE], 0x01);
    EXPECT_EQ(state[VK_RBUTTON] & 0x80, 0x80);
    EXPECT_EQ(state[VK_LBUTTON] & 0x80, 0);
    EXPECT_FALSE(GetKeyboardState(nullptr));
}

TEST_F(InputTest, KeyboardHookRunsAtEverySnapshotBeforeTheCopy) {
    struct Script {
        int frames;
    } script = {0};
    headlessSetKeyboardHook(
        [](void* context) {
            auto* s = static_cast<Script*>(context);
            s->frames++;
            headlessQueueMouseMoveBy(s->frames, 0, 0);
        },
        &script);
    BYTE state[256];
    for (int frame = 0; frame < 3; frame++) {
        GetKeyboardState(state);
        pumpAll();
    }
    EXPECT_EQ(script.frames, 3);
    ASSERT_EQ(receivedMessages.size(), 3u) << "one mouse message per frame";
    EXPECT_EQ(LOWORD(receivedMessages[2].lParam), 6);
}

TEST_F(InputTest, ShowCursorCountsAndTellsTheHostOnlyOnChange) {
    EXPECT_TRUE(headlessCursorVisible());
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_FALSE(headlessCursorVisible());
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_FALSE(headlessCursorVisible());
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_TRUE(headlessCursorVisible());
}
