#include "platform/compat/screenMode.h"
#include "platform/compat/inputDevices.h"

ScreenMode screenMode = desktopMode;

void setScreenMode(ScreenMode mode) {
    screenMode = mode;
    clampCursor();
}
