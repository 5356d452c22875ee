// The mode the screen is in: the desktop's until an exclusive DirectDraw object sets another,
// and the desktop's again when that object lets go. The virtual cursor lives inside it.
#pragma once

struct ScreenMode {
    int width;
    int height;
    int bitsPerPixel;
};

// What the desktop is when no program has changed the mode.
const ScreenMode desktopMode = {1024, 768, 32};

extern ScreenMode screenMode;

// Changes the mode and keeps the cursor on the screen.
void setScreenMode(ScreenMode mode);
