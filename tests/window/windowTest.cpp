#include "window/windowProc.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <string>

using ::testing::ExitedWithCode;

namespace {

class WindowTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        createTestWindow(640, 480);
    }

    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
        return windowProc(mainWindow, message, wParam, lParam);
    }
};

TEST_F(WindowTest, CreationSetsScreenSizeInstanceAndHidesCursor) {
    EXPECT_NE(mainWindow, nullptr);
    EXPECT_EQ(appInstance, GetModuleHandleA(nullptr));
    EXPECT_EQ(display.screenWidth, 640);
    EXPECT_EQ(display.screenHeight, 480);
    EXPECT_STREQ(headlessWindowTitle(), "Quarnel [Orrinvale 2002]");
    EXPECT_FALSE(headlessCursorVisible());
}

TEST(WindowCreationTest, RefusedClassRegistrationIsFatal) {
    resetSystemGlobals();
    headlessFailCall("RegisterClassA", 1, DDERR_GENERIC); // any non-zero result fails it
    EXPECT_EXIT(createTestWindow(640, 480), ExitedWithCode(1),
                "^Oh sod it: Couldn't register window class\n$");
    resetSystemGlobals();
}

TEST(WindowCreationTest, MissingWindowIsFatalAfterTheCursorIsHidden) {
    resetSystemGlobals();
    headlessFailCall("CreateWindowExA", 1, DDERR_GENERIC);
    EXPECT_EXIT({ createTestWindow(640, 480); }, ExitedWithCode(1),
                "^Oh sod it: Couldn't create a window\n$");
    EXPECT_EXIT(
        {
            std::atexit([] { std::fprintf(stderr, "cursor %d\n", headlessCursorVisible()); });
            createTestWindow(640, 480);
        },
        ExitedWithCode(1), "cursor 0\n");
    resetSystemGlobals();
}

TEST_F(WindowTest, MousePositionIsTheTwoUnsignedHalvesOfLParam) {
    send(WM_MOUSEMOVE, 0, MAKELPARAM(400, 200));
    EXPECT_EQ(mouseX, 400);
    EXPECT_EQ(mouseY, 200);
    send(WM_LBUTTONDOWN, 0, MAKELPARAM(0xFFFF, 0x8000));
    EXPECT_EQ(mouseX, 65535);
    EXPECT_EQ(mouseY, 32768);
}

TEST_F(WindowTest, ButtonHeldAtStartDoesNothingUntilReleased) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(11, 10));
    EXPECT_EQ(lastMouseButtons, MK_LBUTTON);
    EXPECT_EQ(mouseButtons, 0);
    EXPECT_EQ(buttonsBlocked, 1);

    send(WM_LBUTTONUP, 0, MAKELPARAM(11, 10));
    EXPECT_EQ(buttonsBlocked, 0);
    EXPECT_EQ(mouseButtons, 0);
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(11, 10));
    EXPECT_EQ(mouseButtons, 1);
    send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(11, 10));
    EXPECT_EQ(mouseButtons, 3);
    // Other bits of wParam (shift, control, middle button) are not buttons here.
    send(WM_MOUSEMOVE, MK_RBUTTON | 0x04 | 0x08 | 0x10, MAKELPARAM(11, 10));
    EXPECT_EQ(mouseButtons, 2);
    // Once unblocked it stays so: a press is seen at once.
    send(WM_MOUSEMOVE, 0, MAKELPARAM(11, 10));
    send(WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(11, 10));
    EXPECT_EQ(mouseButtons, 2);
}

TEST_F(WindowTest, NonMouseMessagesLeaveMouseStateAlone) {
    send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
    send(WM_KEYDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    send(0x207 /* WM_MBUTTONDOWN */, MK_LBUTTON, MAKELPARAM(100, 100));
    EXPECT_EQ(mouseX, 5);
    EXPECT_EQ(mouseY, 6);
    EXPECT_EQ(mouseButtons, 0);
}

TEST_F(WindowTest, TypedTextKeepsTheFirstNinetyNineCharacters) {
    std::string expected;
    for (int i = 0; i < 120; i++) {
        char c = (char)('A' + i % 26);
        send(WM_CHAR, (WPARAM)(uint8_t)c, 1);
        EXPECT_EQ(charTyped, 1) << "character " << i;
        if (i < 99) {
            expected += c;
        }
    }
    EXPECT_EQ(std::string(typedText), expected);
    EXPECT_EQ(typedText[99], 0);
    send(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(charTyped, 0);
}

TEST_F(WindowTest, TypedCharactersAreTakenUnchanged) {
    send(WM_CHAR, VK_BACK, 1);
    send(WM_CHAR, VK_RETURN, 1);
    send(WM_CHAR, 0x1E9, 1); // only the low byte counts
    EXPECT_EQ(std::string(typedText), std::string("\x08\x0D\xE9"));
}

TEST_F(WindowTest, PaintReturnsZero) {
    EXPECT_EQ(send(WM_PAINT, 0, 0), 0);
}

TEST_F(WindowTest, DestroyEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(send(WM_DESTROY, 0, 0), ExitedWithCode(0), "");
}

} // namespace
