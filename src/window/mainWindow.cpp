#include "window/mainWindow.h"

#include "record/displayState.h"
#include "window/fatalError.h"
#include "window/windowProc.h"

HWND mainWindow = nullptr;
HINSTANCE appInstance = nullptr;

static const char windowClassName[] = "mallards";

HWND createMainWindow(HINSTANCE instance, int32_t width, int32_t height, const char* title) {
    display.screenWidth = width;
    display.screenHeight = height;
    appInstance = instance;

    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = windowClassName;
    if (RegisterClassA(&windowClass) == 0) {
        fatalError("Couldn't register window class");
    }

    HWND window =
        CreateWindowExA(0, windowClassName, title, WS_POPUP | WS_VISIBLE, 0, 0, display.screenWidth,
                        display.screenHeight, nullptr, nullptr, instance, nullptr);
    // Hidden even when creation failed: the fatal message box must not show a stray cursor
    // over a half-made screen, and the count must not depend on the outcome.
    ShowCursor(FALSE);
    if (window == nullptr) {
        fatalError("Couldn't create a window");
    }
    mainWindow = window;
    return window;
}
