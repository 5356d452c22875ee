// The message queue: order, filters, WM_QUIT, WM_PAINT, translation into WM_CHAR, and the
// window's end through WM_CLOSE.
#include "platformFixture.h"

#include <algorithm>

using MessageQueueTest = PlatformTest;

TEST_F(MessageQueueTest, CreationSendsWmCreateWithTheCreationRecord) {
    HWND window = createWindow(300, 200);
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(receivedMessages.empty());
    EXPECT_EQ(receivedMessages[0].message, static_cast<UINT>(WM_CREATE));
    EXPECT_EQ(receivedMessages[0].window, window);
    EXPECT_STREQ(headlessWindowTitle(), "test window");
}

TEST_F(MessageQueueTest, RegistrationAndCreationFailures) {
    WNDCLASSA windowClass = {};
    EXPECT_EQ(RegisterClassA(&windowClass), 0) << "no procedure, no name";
    windowClass.lpfnWndProc = recordingProc;
    windowClass.lpszClassName = "Mallards";
    ATOM atom = RegisterClassA(&windowClass);
    EXPECT_NE(atom, 0);
    windowClass.lpszClassName = "mallards";
    EXPECT_EQ(RegisterClassA(&windowClass), 0) << "class names ignore case";
    EXPECT_NE(CreateWindowExA(0, MAKEINTATOM(atom), "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(CreateWindowExA(0, "geese", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    headlessFailCall("CreateWindowExA", 1, DDERR_GENERIC);
    EXPECT_EQ(CreateWindowExA(0, "MALLARDS", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_NE(CreateWindowExA(0, "MALLARDS", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(MessageQueueTest, PostedBeforeInputBeforeQuitBeforePaint) {
    HWND window = createWindow();
    PostQuitMessage(7);
    headlessQueueKeyDown('A');
    headlessQueueMouseMoveTo(5, 5, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
    TranslateMessage(&message); // posts WM_CHAR, which comes before the rest of the input
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>('a'));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_MOUSEMOVE));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_EQ(message.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT)) << "a visible window is painted once";
    EXPECT_EQ(message.hwnd, window);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, NoRemoveLeavesTheMessageAndFiltersSelect) {
    HWND window = createWindow();
    pumpAll();
    headlessQueueKeyDown('B');
    headlessQueueMouseMoveTo(1, 2, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_FALSE(PeekMessageA(&message, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE))
        << "thread messages only";
    ASSERT_TRUE(PeekMessageA(&message, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
    PostQuitMessage(0);
    EXPECT_FALSE(PeekMessageA(&message, window, 0, 0, PM_REMOVE))
        << "WM_QUIT belongs to the thread, not to a window";
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "one quit, taken once";
}

TEST_F(MessageQueueTest, HostQuitBecomesWmQuit) {
    createWindow();
    pumpAll();
    headlessQueueQuit();
    EXPECT_EQ(pumpAll(), std::vector<UINT>{WM_QUIT});
}

TEST_F(MessageQueueTest, CloseDestroysTheWindowThroughItsProcedure) {
    HWND window = createWindow();
    pumpAll();
    receivedMessages.clear();
    headlessQueueClose();
    headlessQueueKeyDown('X'); // after the close: there is no window left to take it
    pumpAll();
    ASSERT_GE(receivedMessages.size(), 2u);
    EXPECT_EQ(receivedMessages[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(receivedMessages[1].message, static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(receivedMessages[1].window, window);
    EXPECT_EQ(receivedMessages.size(), 2u);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(CloseWindow(window)) << "the handle no longer names a window";
}

TEST_F(MessageQueueTest, PaintValidatesThroughBeginPaint) {
    HWND window = createWindow(320, 200);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    EXPECT_NE(dc, nullptr);
    EXPECT_EQ(paint.rcPaint.right, 320);
    EXPECT_EQ(paint.rcPaint.bottom, 200);
    EXPECT_TRUE(EndPaint(window, &paint));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "already valid";
}

TEST_F(MessageQueueTest, MinimiseAndRestoreFromTheHost) {
    HWND window = createWindow();
    pumpAll();
    headlessQueueMinimise();
    headlessQueuePause(90);
    headlessQueueRestore();
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(IsIconic(window));
    int passes = 0;
    while (IsIconic(window)) {
        Sleep(30);
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        ASSERT_LT(++passes, 10);
    }
    EXPECT_EQ(passes, 3);
    EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT)) << "a restored window repaints";
    EXPECT_TRUE(CloseWindow(window));
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(headlessMinimiseCount(), 1);
}

TEST_F(MessageQueueTest, TranslateMessageTypesUsLayoutCharacters) {
    createWindow();
    pumpAll();
    auto typed = [](std::initializer_list<std::pair<bool, BYTE>> keys) {
        for (auto key : keys) {
            key.first ? headlessQueueKeyDown(key.second) : headlessQueueKeyUp(key.second);
        }
        std::string text;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            if (message.message == WM_CHAR) {
                text += static_cast<char>(message.wParam);
            }
        }
        return text;
    };
    EXPECT_EQ(typed({{true, 'Q'}, {false, 'Q'}, {true, '1'}, {false, '1'}}), "q1");
    EXPECT_EQ(typed({{true, VK_SHIFT}, {true, 'Q'}, {true, '1'}, {false, VK_SHIFT}}), "Q!");
    EXPECT_EQ(typed({{true, VK_CAPITAL}, {false, VK_CAPITAL}, {true, 'Z'}, {true, VK_OEM_2}}),
              "Z/");
    EXPECT_EQ(typed({{true, VK_RETURN}, {true, VK_BACK}, {true, VK_ESCAPE}, {true, VK_LEFT}}),
              "\r\b\x1b");
}
