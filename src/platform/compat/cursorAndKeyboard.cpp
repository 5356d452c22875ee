// user32's cursor and keyboard calls over the layer's input devices.
#include "platform/compat/inputDevices.h"
#include "platform/compat/messageQueue.h"
#include "platform/compat/windowRegistry.h"
#include "platform/host/host.h"

#include <cstring>

int WINAPI ShowCursor(BOOL show) {
    bool wasVisible = input.cursorShowCount >= 0;
    input.cursorShowCount += show ? 1 : -1;
    bool visible = input.cursorShowCount >= 0;
    if (visible != wasVisible) {
        activeHost.showCursor(visible);
    }
    return input.cursorShowCount;
}

// Moving the cursor is a mouse move like any other: the window under it hears of it. A call
// that leaves the cursor where it is sends nothing, so a program that centres the cursor every
// frame does not flood its own queue.
BOOL WINAPI SetCursorPos(int x, int y) {
    POINT before = input.cursor;
    input.cursor = {x, y};
    clampCursor();
    activeHost.warpCursor(input.cursor.x, input.cursor.y);
    if (input.cursor.x != before.x || input.cursor.y != before.y) {
        HWND window = inputWindow();
        queueInputMessage(window, WM_MOUSEMOVE, mouseKeyBits(), cursorLParam(window));
    }
    return TRUE;
}

BOOL WINAPI GetKeyboardState(PBYTE keyState) {
    if (!keyState) {
        return FALSE;
    }
    activeHost.keyboardRead();
    std::memcpy(keyState, input.keyState, sizeof input.keyState);
    return TRUE;
}
