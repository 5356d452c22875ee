// Input from the host becomes what Windows would make of it: the virtual cursor moves and
// mouse messages carry its position, keys become key messages, a close request becomes
// WM_CLOSE, a minimise or restore changes the window's state.
#include "platform/compat/inputDevices.h"
#include "platform/compat/messageQueue.h"
#include "platform/compat/windowRegistry.h"
#include "platform/host/host.h"

#include <cstdlib>

// A second press within this time and distance of the first is a double click (the Windows
// defaults), for windows whose class asks for them.
static const DWORD doubleClickTime = 500;
static const LONG doubleClickDistance = 2;

static void moveCursor(const HostEvent& event) {
    if (event.kind == HostEventKind::mouseMoveTo) {
        input.cursor = {event.x, event.y};
    } else {
        // Widened so that a wild relative report cannot overflow before the clamp.
        long long x = static_cast<long long>(input.cursor.x) + event.x;
        long long y = static_cast<long long>(input.cursor.y) + event.y;
        input.cursor.x = static_cast<LONG>(x < -1 ? -1 : x > 0x7FFFFFFF ? 0x7FFFFFFF : x);
        input.cursor.y = static_cast<LONG>(y < -1 ? -1 : y > 0x7FFFFFFF ? 0x7FFFFFFF : y);
    }
    clampCursor();
    input.buttons = event.buttons & (MK_LBUTTON | MK_RBUTTON);
    HWND window = inputWindow();
    queueInputMessage(window, WM_MOUSEMOVE, mouseKeyBits(), cursorLParam(window));
}

static UINT pressMessage(HWND window, UINT button) {
    UINT down = button == MK_LBUTTON ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    const WindowRecord* record = findWindow(window);
    DWORD now = activeHost.tickCount();
    bool doubleClick = record && (record->classStyle & CS_DBLCLKS) &&
                       input.lastClickButton == down &&
                       now - input.lastClickTime <= doubleClickTime &&
                       std::labs(input.cursor.x - input.lastClickPoint.x) <= doubleClickDistance &&
                       std::labs(input.cursor.y - input.lastClickPoint.y) <= doubleClickDistance;
    if (doubleClick) {
        input.lastClickButton = 0; // a third press starts over
        return down + 2;           // WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK
    }
    input.lastClickButton = down;
    input.lastClickTime = now;
    input.lastClickPoint = input.cursor;
    return down;
}

static void changeButton(const HostEvent& event) {
    UINT button = event.buttons;
    if (button != MK_LBUTTON && button != MK_RBUTTON) {
        return;
    }
    HWND window = inputWindow();
    UINT message;
    if (event.kind == HostEventKind::buttonDown) {
        input.buttons |= button;
        message = pressMessage(window, button);
    } else {
        input.buttons &= ~button;
        message = button == MK_LBUTTON ? WM_LBUTTONUP : WM_RBUTTONUP;
    }
    queueInputMessage(window, message, mouseKeyBits(), cursorLParam(window));
}

static void changeKey(const HostEvent& event) {
    if (event.key == 0 || event.key > 0xFE) {
        return;
    }
    BYTE& held = input.heldKeys[event.key];
    bool wasDown = (held & 0x80) != 0;
    LPARAM lParam = 1; // repeat count
    if (wasDown) {
        lParam |= 1L << 30;
    }
    if (event.kind == HostEventKind::keyDown) {
        held = 0x80;
        queueInputMessage(inputWindow(), WM_KEYDOWN, event.key, lParam);
    } else {
        held = 0;
        lParam |= (1L << 30) | (1L << 31);
        queueInputMessage(inputWindow(), WM_KEYUP, event.key, lParam);
    }
}

static void setIconic(bool iconic) {
    if (WindowRecord* record = findWindow(inputWindow())) {
        if (record->iconic && !iconic) {
            record->needsPaint = true;
        }
        record->iconic = iconic;
    }
}

void pollHostEvents(void) {
    HostEvent event;
    while (activeHost.pollEvent(&event)) {
        switch (event.kind) {
        case HostEventKind::mouseMoveTo:
        case HostEventKind::mouseMoveBy:
            moveCursor(event);
            break;
        case HostEventKind::buttonDown:
        case HostEventKind::buttonUp:
            changeButton(event);
            break;
        case HostEventKind::keyDown:
        case HostEventKind::keyUp:
            changeKey(event);
            break;
        case HostEventKind::minimise:
            setIconic(true);
            break;
        case HostEventKind::restore:
            setIconic(false);
            break;
        case HostEventKind::close:
            if (HWND window = inputWindow()) {
                queueInputMessage(window, WM_CLOSE, 0, 0);
            }
            break;
        case HostEventKind::quit:
            PostQuitMessage(0);
            break;
        }
    }
}
