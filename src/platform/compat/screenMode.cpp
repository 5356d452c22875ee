#include "platform/compat/screenMode.h"
#include "platform/compat/inputDevices.h"
#include "platform/win32.h"

ScreenMode screenMode = desktopMode;

int WINAPI GetSystemMetrics(int index) {
    return index == SM_CXSCREEN ? screenMode.width : index == SM_CYSCREEN ? screenMode.height : 0;
}

void setScreenMode(ScreenMode mode) {
    screenMode = mode;
    clampCursor();
}
