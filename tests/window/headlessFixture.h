// Puts the headless host and every global the window and display subsystems keep (the
// translation tables beside the display record and the clip window included) back to their start,
// and opens a display on it the way the start-up does.
#pragma once

#include "colour/translationTables.h"
#include "display/backBuffers.h"
#include "display/eightBitSetup.h"
#include "display/trueColourSetup.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/clipWindow.h"
#include "record/displayState.h"
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
    freeTranslationTables();
    forgetClipWindow();
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

// Window, 8-bit display with the default palette and locked back buffer.
inline void openTestDisplay8Bit(int32_t width, int32_t height) {
    createTestWindow(width, height);
    openDisplay8Bit();
    createBackBuffer();
}

// Registered inside a death test's child: tells the parent, through standard error, what the
// fatal path left behind once exit has begun.
inline void reportFatalAftermath() {
    std::fprintf(stderr, "box '%s' caption '%s' flags %X live %d\n", headlessLastMessageBoxText(),
                 headlessLastMessageBoxCaption(), headlessLastMessageBoxFlags(),
                 headlessLiveObjectCount());
}
