// The monitors /s does not fly on. DirectDraw's exclusive mode takes the primary monitor only;
// the others would go on showing the desktop, so while the saver flies each of them is covered
// by a black window that ends the saver on input as the flying window does.
#pragma once

#include "platform/win32.h"

#include <vector>

// While it lives, every monitor but the primary is covered by a black topmost pop-up without a
// cursor. Mouse messages on a cover are handed to the main window (once there is one) at the
// place they happened, in its own coordinates, so that a mouse moved or clicked there ends the
// run as it would on the main window; keys reach the main window anyway. One monitor: nothing.
struct OtherMonitorsCovered {
    explicit OtherMonitorsCovered(HINSTANCE program);
    ~OtherMonitorsCovered();
    OtherMonitorsCovered(const OtherMonitorsCovered&) = delete;
    OtherMonitorsCovered& operator=(const OtherMonitorsCovered&) = delete;

    HINSTANCE instance;
    bool registered = false; // the covers' window class
    std::vector<HWND> covers;
};
