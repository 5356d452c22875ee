// Opens a window and a display on the headless host the way the start-up does; fixtures start
// and end with resetSystemGlobals (support/systemReset.h).
#pragma once

#include "colour/translationTables.h"
#include "display/displaySetup.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/clipWindow.h"
#include "record/displayState.h"
#include "support/systemReset.h"
#include "window/inputState.h"
#include "window/mainWindow.h"
#include "window/messagePump.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
