#include "platform/compat/inputDevices.h"
#include "platform/compat/screenMode.h"
#include "platform/compat/windowRegistry.h"

#include <cstring>

InputDevices input;

void resetInputDevices(void) {
    std::memset(&input, 0, sizeof input);
}

void clampCursor(void) {
    if (input.cursor.x < 0) {
        input.cursor.x = 0;
    }
    if (input.cursor.y < 0) {
        input.cursor.y = 0;
    }
    if (input.cursor.x >= screenMode.width) {
        input.cursor.x = screenMode.width - 1;
    }
    if (input.cursor.y >= screenMode.height) {
        input.cursor.y = screenMode.height - 1;
    }
}

WPARAM mouseKeyBits(void) {
    WPARAM bits = input.buttons & (MK_LBUTTON | MK_RBUTTON);
    if (input.heldKeys[VK_SHIFT] & 0x80) {
        bits |= MK_SHIFT;
    }
    if (input.heldKeys[VK_CONTROL] & 0x80) {
        bits |= MK_CONTROL;
    }
    return bits;
}

LPARAM cursorLParam(HWND window) {
    LONG x = input.cursor.x;
    LONG y = input.cursor.y;
    if (const WindowRecord* record = findWindow(window)) {
        x -= record->x;
        y -= record->y;
    }
    return MAKELPARAM(x, y);
}

static void setDown(BYTE& state, bool down) {
    state = static_cast<BYTE>((state & 0x01) | (down ? 0x80 : 0x00));
}

void noteMessageTaken(const MSG* message) {
    UINT kind = message->message;
    if (kind == WM_KEYDOWN || kind == WM_KEYUP) {
        BYTE& state = input.keyState[message->wParam & 0xFF];
        bool down = kind == WM_KEYDOWN;
        if (down && !(state & 0x80)) {
            state ^= 0x01; // every fresh press toggles, as Caps Lock shows
        }
        setDown(state, down);
    } else if (kind >= WM_MOUSEMOVE && kind <= WM_RBUTTONDBLCLK) {
        setDown(input.keyState[VK_LBUTTON], (message->wParam & MK_LBUTTON) != 0);
        setDown(input.keyState[VK_RBUTTON], (message->wParam & MK_RBUTTON) != 0);
    }
}
