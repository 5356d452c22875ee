#include "app/saver/windows/otherMonitors.h"

#include "window/mainWindow.h"

namespace {

const char coverClassName[] = "QuarnelMonitorCover";

// The monitor a cover belongs to, kept in its user data: a mode change on the primary moves
// the others in the desktop's coordinates, and the cover follows its own.
void fitToMonitor(HWND cover) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    HMONITOR monitor = reinterpret_cast<HMONITOR>(GetWindowLongPtrA(cover, GWLP_USERDATA));
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) {
        return;
    }
    const RECT& area = info.rcMonitor;
    SetWindowPos(cover, HWND_TOPMOST, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOACTIVATE);
}

// The main window's procedure sees the message as if the mouse had been over it: a place on
// another monitor lies outside its client area, far from where the mouse settled.
void handToMainWindow(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
    if (mainWindow == nullptr) {
        return;
    }
    POINT place = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(cover, &place);
    ScreenToClient(mainWindow, &place);
    SendMessageA(mainWindow, message, wParam,
                 MAKELPARAM(static_cast<WORD>(place.x), static_cast<WORD>(place.y)));
}

LRESULT CALLBACK coverProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        handToMainWindow(cover, message, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        // A click here must not take the activation from the exclusive window.
        return MA_NOACTIVATE;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_DISPLAYCHANGE:
        fitToMonitor(cover);
        return 0;
    default:
        return DefWindowProcA(cover, message, wParam, lParam);
    }
}

BOOL CALLBACK noteOtherMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) == 0) {
        reinterpret_cast<std::vector<HMONITOR>*>(found)->push_back(monitor);
    }
    return TRUE;
}

} // namespace

OtherMonitorsCovered::OtherMonitorsCovered(HINSTANCE program) : instance(program) {
    std::vector<HMONITOR> others;
    EnumDisplayMonitors(nullptr, nullptr, noteOtherMonitor, reinterpret_cast<LPARAM>(&others));
    if (others.empty()) {
        return;
    }
    WNDCLASSA coverClass = {};
    coverClass.lpfnWndProc = coverProc;
    coverClass.hInstance = instance;
    coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverClass.lpszClassName = coverClassName;
    if (RegisterClassA(&coverClass) == 0) {
        return; // the saver still flies on its own monitor
    }
    registered = true;
    for (HMONITOR monitor : others) {
        HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, coverClassName, "", WS_POPUP,
                                     0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
        if (cover == nullptr) {
            continue;
        }
        SetWindowLongPtrA(cover, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(monitor));
        fitToMonitor(cover);
        ShowWindow(cover, SW_SHOWNOACTIVATE);
        UpdateWindow(cover);
        covers.push_back(cover);
    }
}

OtherMonitorsCovered::~OtherMonitorsCovered() {
    for (HWND cover : covers) {
        DestroyWindow(cover);
    }
    if (registered) {
        UnregisterClassA(coverClassName, instance);
    }
}
