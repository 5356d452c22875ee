// user32's windows: class registration, creation, the default procedure, painting, minimising.
#include "platform/compat/windowRegistry.h"
#include "platform/compat/messageQueue.h"
#include "platform/host/host.h"

#include <cstdint>
#include <vector>

struct WindowClassRecord {
    std::string name;
    ATOM atom;
    WNDCLASSA windowClass;
};

static std::vector<WindowClassRecord> windowClasses;
static std::vector<WindowRecord> windows;
static const ATOM firstAtom = 0xC000; // where Windows numbers string atoms from
static ATOM nextAtom = firstAtom;
static uintptr_t nextHandle = 0x10010;

// Class names compare without regard to ASCII case, as on Windows.
static bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; i++) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] + 32) : b[i];
        if (x != y) {
            return false;
        }
    }
    return i == a.size() && !b[i];
}

// Win32 spells a class atom as a pointer below 0x10000. WebAssembly keeps strings at such
// addresses, so an atom is exactly a value that RegisterClassA handed out.
static bool isAtom(LPCSTR name) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(name);
    return value >= firstAtom && value < nextAtom;
}

// Elsewhere the lowest 64 KiB are never mapped: any other value there is a stale or made-up
// atom, which names no class and must not be read.
static bool readableName(LPCSTR name) {
#if defined(__wasm__)
    return name != nullptr;
#else
    return reinterpret_cast<uintptr_t>(name) >= 0x10000;
#endif
}

static WindowClassRecord* findClass(LPCSTR name) {
    const bool atom = isAtom(name);
    if (!atom && !readableName(name)) {
        return nullptr;
    }
    for (WindowClassRecord& record : windowClasses) {
        if (atom ? record.atom == reinterpret_cast<uintptr_t>(name) : sameName(record.name, name)) {
            return &record;
        }
    }
    return nullptr;
}

WindowRecord* findWindow(HWND window) {
    if (!window) {
        return nullptr;
    }
    for (WindowRecord& record : windows) {
        if (record.handle == window) {
            return &record;
        }
    }
    return nullptr;
}

HWND inputWindow(void) {
    for (auto record = windows.rbegin(); record != windows.rend(); ++record) {
        if (!record->destroying) {
            return record->handle;
        }
    }
    return nullptr;
}

WindowRecord* windowNeedingPaint(HWND filter) {
    for (WindowRecord& record : windows) {
        if (record.needsPaint && !record.iconic && !record.destroying &&
            (!filter || filter == record.handle)) {
            return &record;
        }
    }
    return nullptr;
}

void destroyWindow(HWND window) {
    WindowRecord* record = findWindow(window);
    if (!record || record->destroying) {
        return;
    }
    record->destroying = true;
    WNDPROC procedure = record->procedure;
    procedure(window, WM_DESTROY, 0, 0);
    dropMessagesFor(window);
    for (std::size_t i = 0; i < windows.size(); i++) {
        if (windows[i].handle == window) {
            windows.erase(windows.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
}

void resetWindows(void) {
    windowClasses.clear();
    windows.clear();
    nextAtom = firstAtom;
    nextHandle = 0x10010;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    if (activeHost.injectedResult("RegisterClassA") != 0) {
        return 0;
    }
    if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName ||
        isAtom(windowClass->lpszClassName) || !readableName(windowClass->lpszClassName) ||
        !windowClass->lpszClassName[0] || findClass(windowClass->lpszClassName) ||
        nextAtom == 0xFFFF) {
        return 0;
    }
    WindowClassRecord record;
    record.name = windowClass->lpszClassName;
    record.atom = nextAtom++;
    record.windowClass = *windowClass;
    record.windowClass.lpszClassName = nullptr; // the caller's string need not outlive the call
    record.windowClass.lpszMenuName = nullptr;
    windowClasses.push_back(record);
    return record.atom;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    if (activeHost.injectedResult("CreateWindowExA") != 0) {
        return nullptr;
    }
    const WindowClassRecord* windowClass = findClass(className);
    if (!windowClass || (parent && !findWindow(parent))) {
        return nullptr;
    }
    if (activeHost.openWindow != nullptr && !activeHost.openWindow()) {
        return nullptr;
    }
    WindowRecord record;
    record.handle = reinterpret_cast<HWND>(nextHandle);
    nextHandle += 0x10;
    record.procedure = windowClass->windowClass.lpfnWndProc;
    record.classStyle = windowClass->windowClass.style;
    record.title = windowName ? windowName : "";
    record.x = x;
    record.y = y;
    record.width = width;
    record.height = height;
    record.iconic = (style & WS_MINIMIZE) != 0;
    record.needsPaint = (style & WS_VISIBLE) != 0;
    record.destroying = false;
    windows.push_back(record);
    HWND window = record.handle;
    activeHost.windowCreated(record.title.c_str(), width, height);

    CREATESTRUCTA create = {
        param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (record.procedure(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        destroyWindow(window);
        return nullptr;
    }
    return findWindow(window) ? window : nullptr;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_CLOSE:
        destroyWindow(window);
        return 0;
    case WM_PAINT:
        if (WindowRecord* record = findWindow(window)) {
            record->needsPaint = false;
        }
        return 0;
    default:
        return 0;
    }
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
    WindowRecord* record = findWindow(window);
    if (!record || !paint) {
        return nullptr;
    }
    record->needsPaint = false;
    *paint = PAINTSTRUCT{};
    // Every window has its own device context (CS_OWNDC or not, nothing is drawn through it).
    paint->hdc = reinterpret_cast<HDC>(reinterpret_cast<uintptr_t>(window) + 1);
    paint->rcPaint = {0, 0, record->width, record->height};
    return paint->hdc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
    return findWindow(window) && paint ? TRUE : FALSE;
}

BOOL WINAPI IsIconic(HWND window) {
    const WindowRecord* record = findWindow(window);
    return record && record->iconic ? TRUE : FALSE;
}

BOOL WINAPI CloseWindow(HWND window) {
    WindowRecord* record = findWindow(window);
    if (!record) {
        return FALSE;
    }
    if (!record->iconic) {
        record->iconic = true;
        activeHost.minimiseWindow();
    }
    return TRUE;
}
