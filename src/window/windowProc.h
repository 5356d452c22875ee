// The window procedure: keeps the mouse and typed-character globals of window/inputState.h.
#pragma once

#include "platform/win32.h"

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
