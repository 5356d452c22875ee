// Puts the headless host and every global the window and display subsystems keep back to
// their start, and opens a true-colour display on it the way the start-up does.
#pragma once

#include "display/backBuffers.h"
#include "display/displayState.h"
#include "display/trueColourSetup.h"
#include "platform/host/headless/headlessHost.h"
#include "window/inputState.h"
#include "window/mainWindow.h"
#include "window/messagePump.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

inline void resetWindowAndDisplay() {
    headlessReset();
    std::memset(&display, 0, sizeof display);
    mainWindow = nullptr;
    appInstance = nullptr;
    mouseX = 0;
    mouseY = 0;
    lastMouseButtons = 0;
    buttonsBlocked = 1;
    mouseButtons = 0;
    charTyped = 0;
    std::memset(typedText, 0, sizeof typedText);
    std::memset(keyState, 0, sizeof keyState);
    std::memset(previousKeyState, 0, sizeof previousKeyState);
    minimiseRequested = 0;
}

inline void createTestWindow(int32_t width, int32_t height) {
    createMainWindow(GetModuleHandleA(nullptr), width, height, "Quarnel [Orrinvale 2002]");
}

// Window, true-colour display and locked back buffer, as the start-up makes them.
inline void openTestDisplay(int32_t width, int32_t height) {
    createTestWindow(width, height);
    openDisplayTrueColour();
    createBackBuffer();
}

// Until the 8-bit set-up exists: an open display switched to 8 bits with a palette object,
// mode 1, as that set-up leaves it, so that the 8-bit paths of the buffers and the pump run.
inline void pretendEightBit() {
    display.directDraw->SetDisplayMode((DWORD)display.screenWidth, (DWORD)display.screenHeight, 8);
    PALETTEENTRY entries[256] = {};
    display.directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries,
                                      &display.paletteObject, nullptr);
    display.pixelMode = 1;
}

// Registered inside a death test's child: tells the parent, through standard error, what the
// fatal path left behind once exit has begun.
inline void reportFatalAftermath() {
    std::fprintf(stderr, "box '%s' caption '%s' flags %X live %d\n", headlessLastMessageBoxText(),
                 headlessLastMessageBoxCaption(), headlessLastMessageBoxFlags(),
                 headlessLiveObjectCount());
}
