// The Windows screensaver's own windows, built only with the real interfaces: the preview
// drawn into the control panel's little window, and the settings dialog.
#pragma once

#include "platform/win32.h"

// /p HWND: a small autopilot flight stretched with GDI over the client area of window, at a
// modest frame rate, until window goes away (status 0). A handle that names no window: one line
// on standard error, status 1.
int runWindowsPreview(HWND window);

// /c [HWND]: the resolution and drift speed in a small dialog, modal to owner when there is
// one; OK writes them to the preferences file, Cancel or Escape leaves it alone. Status 0.
int runWindowsSettings(HINSTANCE instance, HWND owner);
