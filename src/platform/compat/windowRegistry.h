// Window classes and windows. A window record lives from CreateWindowExA until its destruction
// (WM_CLOSE reaching DefWindowProcA); handles are never reused until the layer is reset.
// Records may move when a window procedure creates a window, so no pointer to one is kept
// across a call into a window procedure.
#pragma once

#include "platform/compat/windowsApi.h"

#include <string>

struct WindowRecord {
    HWND handle;
    WNDPROC procedure;
    UINT classStyle;
    std::string title;
    int x;
    int y;
    int width;
    int height;
    bool iconic;
    bool needsPaint;
    bool destroying; // WM_DESTROY has been sent
};

WindowRecord* findWindow(HWND window);
// Where input goes: the most recently created window that still exists, or null.
HWND inputWindow(void);
// The first window (matching the filter, null = any) waiting for WM_PAINT.
WindowRecord* windowNeedingPaint(HWND filter);
// What DestroyWindow does: WM_DESTROY to the procedure, then the record and its queued
// messages go.
void destroyWindow(HWND window);
void resetWindows(void);
