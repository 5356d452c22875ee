#include "window/windowProc.h"

#include "window/inputState.h"

#include <cstdlib>
#include <cstring>

static void noteTypedCharacter(WPARAM wParam) {
    charTyped = 1;
    size_t length = strnlen(typedText, typedTextSize);
    if (length < typedTextSize - 1) {
        typedText[length] = (char)(uint8_t)(wParam & 0xFF);
        typedText[length + 1] = 0;
    }
}

static void noteMouseMessage(WPARAM wParam, LPARAM lParam) {
    mouseX = LOWORD(lParam);
    mouseY = HIWORD(lParam);
    lastMouseButtons = (int32_t)(wParam & (MK_LBUTTON | MK_RBUTTON));
    if (lastMouseButtons == 0) {
        buttonsBlocked = 0;
    }
    if (buttonsBlocked == 0) {
        mouseButtons = lastMouseButtons;
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    charTyped = 0;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        // The window is gone, so is the program; nothing is released on this way out.
        PostQuitMessage(0);
        std::exit(0);
    case WM_CHAR:
        noteTypedCharacter(wParam);
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        noteMouseMessage(wParam, lParam);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
