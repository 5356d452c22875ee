// Icons, cursors, stock objects and message boxes: handles that only need to exist, and a box
// that the host shows.
#include "platform/compat/windowsApi.h"
#include "platform/host/host.h"

#include <cstdint>

// Distinct, non-null and never dereferenced.
template <typename Handle> static Handle dummyHandle(uintptr_t kind, uintptr_t number) {
    return reinterpret_cast<Handle>((kind << 16) | (number & 0xFFFF));
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR iconName) {
    return dummyHandle<HICON>(0x21, reinterpret_cast<uintptr_t>(iconName));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR cursorName) {
    return dummyHandle<HCURSOR>(0x22, reinterpret_cast<uintptr_t>(cursorName));
}

HGDIOBJ WINAPI GetStockObject(int object) {
    if (object < 0 || object > 19) { // WHITE_BRUSH (0) to DC_PEN (19)
        return nullptr;
    }
    return dummyHandle<HGDIOBJ>(0x23, static_cast<uintptr_t>(object));
}

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    // A null caption is shown as "Error" by Windows.
    return activeHost.messageBox(text ? text : "", caption ? caption : "Error", type);
}
