// Says which monitors Windows (here Wine) reports, for the saver checks to know that the screen
// they set up is seen as more than one: a line "LEFT,TOP RIGHTxBOTTOM primary|other" for each,
// in the desktop's coordinates.
//
// usage: monitorList.exe
#include <windows.h>

#include <cstdio>

namespace {

BOOL CALLBACK sayMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) {
        return TRUE;
    }
    const RECT& area = info.rcMonitor;
    std::printf("%ld,%ld %ldx%ld %s\n", area.left, area.top, area.right - area.left,
                area.bottom - area.top,
                (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? "primary" : "other");
    return TRUE;
}

} // namespace

int main() {
    EnumDisplayMonitors(nullptr, nullptr, sayMonitor, 0);
    return 0;
}
