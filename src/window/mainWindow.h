// The one borderless pop-up window that covers the screen.
#pragma once

#include "platform/win32.h"

#include <cstdint>

// The window whose cooperative level the display set-ups take.
extern HWND mainWindow;
extern HINSTANCE appInstance;

// Sets screenWidth and screenHeight, registers the window class, creates the window and hides
// the cursor. Ends the program when the class or the window cannot be made.
HWND createMainWindow(HINSTANCE instance, int32_t width, int32_t height, const char* title);
