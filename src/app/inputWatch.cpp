#include "app/inputWatch.h"

#include "platform/win32.h"
#include "window/inputState.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

struct InputWatch {
    int32_t settledX;
    int32_t settledY;
    uint8_t ignoredKeys[256]; // held when the watch started, and not let go since
};

InputWatch watch;

// Message numbers our own layer has no name for; the same on Windows.
const UINT systemKeyDownMessage = 0x0104;
const UINT middleButtonDownMessage = 0x0207;

} // namespace

// A key repeating because it was held already (bit 30 of lParam) is no new press.
bool pressQueued() {
    MSG message;
    for (UINT press : {static_cast<UINT>(WM_KEYDOWN), systemKeyDownMessage}) {
        if (PeekMessageA(&message, nullptr, press, press, PM_NOREMOVE) &&
            (message.lParam & (1 << 30)) == 0) {
            return true;
        }
    }
    for (UINT press : {static_cast<UINT>(WM_LBUTTONDOWN), static_cast<UINT>(WM_RBUTTONDOWN),
                       middleButtonDownMessage}) {
        if (PeekMessageA(&message, nullptr, press, press, PM_NOREMOVE)) {
            return true;
        }
    }
    return false;
}

void startInputWatch() {
    watch.settledX = mouseX;
    watch.settledY = mouseY;
    std::memset(watch.ignoredKeys, 1, sizeof watch.ignoredKeys);
}

bool personActed(uint32_t frame) {
    bool acted = false;
    for (int key = 0; key < 256; ++key) {
        if ((keyState[key] & 0x80) == 0) {
            watch.ignoredKeys[key] = 0;
        } else if (watch.ignoredKeys[key] == 0) {
            acted = true;
        }
    }
    if (frame <= saverSettleFrames) {
        watch.settledX = mouseX;
        watch.settledY = mouseY;
        return acted;
    }
    return acted || lastMouseButtons != 0 || std::abs(mouseX - watch.settledX) > saverMouseSlack ||
           std::abs(mouseY - watch.settledY) > saverMouseSlack;
}
