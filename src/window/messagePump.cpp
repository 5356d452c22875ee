#include "window/messagePump.h"

#include "platform/win32.h"
#include "window/fatalError.h"
#include "window/inputState.h"
#include "window/mainWindow.h"

#include <cstring>

uint8_t minimiseRequested = 0;

int pumpMessages() {
    std::memcpy(previousKeyState, keyState, sizeof keyState);
    GetKeyboardState(keyState);

    if (minimiseRequested) {
        CloseWindow(mainWindow);
        minimiseRequested = 0;
    }

    bool suspended = false;
    bool quitSeen = false;
    MSG message;
    for (;;) {
        bool taken = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0;
        // Once the program is quitting there is nothing to wait for: a minimised window is
        // not waited out, and its display is neither suspended nor rebuilt.
        bool iconic = !quitSeen && IsIconic(mainWindow);
        if (!taken && !iconic) {
            break;
        }
        if (iconic && !suspended) {
            minimiseSteps.suspend();
            suspended = true;
        }
        if (taken) {
            if (message.message == WM_QUIT) {
                releaseDisplayObjects();
                quitSeen = true;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!quitSeen && IsIconic(mainWindow)) {
            Sleep(30);
        }
    }

    if (suspended) {
        if (quitSeen) {
            minimiseSteps.discard();
        } else {
            minimiseSteps.restore();
        }
    }
    return quitSeen ? 1 : 0;
}
