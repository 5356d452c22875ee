// The mouse and keyboard as the layer sees them: the virtual cursor, the buttons and keys that
// are physically held (as the host last reported them), and the keyboard state that
// GetKeyboardState returns, which follows the key and mouse messages taken from the queue.
#pragma once

#include "platform/compat/windowsApi.h"

struct InputDevices {
    POINT cursor;         // screen pixels, always inside the screen mode
    DWORD buttons;        // MK_LBUTTON | MK_RBUTTON held now
    BYTE heldKeys[256];   // bit 7: held now, as reported by the host
    BYTE keyState[256];   // bit 7: down, bit 0: toggled; as of the messages taken so far
    int cursorShowCount;  // ShowCursor's counter; the cursor shows while it is >= 0
    DWORD lastClickTime;  // for double clicks
    UINT lastClickButton; // 0, or the WM_xBUTTONDOWN of the last press
    POINT lastClickPoint;
};

extern InputDevices input;

void resetInputDevices(void);
void clampCursor(void);
// Button bits and modifier bits for a mouse message's wParam.
WPARAM mouseKeyBits(void);
// The cursor in the window's client coordinates, packed as a mouse message's lParam.
LPARAM cursorLParam(HWND window);
// A key or mouse message is being taken from the queue: the keyboard state catches up.
void noteMessageTaken(const MSG* message);
