#include "app/saver/saverLoop.h"

#include "app/cameraControl.h"
#include "app/cellWalk.h"
#include "app/flight/autopilot.h"
#include "app/preferences.h"
#include "app/terminationSignal.h"
#include "display/presentation.h"
#include "platform/win32.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "scene/structureGenerator.h"
#include "window/inputState.h"
#include "window/messagePump.h"

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

// A press and its release can both be taken within one pump, leaving no trace in the keyboard
// snapshot or the button bits: presses are looked for in the queue before the pump takes them.
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

void growCell(int32_t, int32_t, int32_t, float centreX, float centreY, float centreZ, Colour fog) {
    growStructure(centreX, centreY, centreZ, fog);
}

} // namespace

void flySaverFrame(uint32_t frame) {
    const FlightStep step = frame > 1 ? autopilotStep(sceneSeed, frame - 1) : FlightStep{0, 0, 0};
    camera.cameraX += step.dx;
    camera.cameraY += step.dy;
    changeCameraSpeed(step.buttons);
    camera.cameraZ += camera.cameraSpeed;
    driftWavePhases(static_cast<float>(0.0001 * speedPreference));
    walkVisibleCells(growCell);
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

int runSaverLoop(bool endOnInput) {
    startInputWatch();
    for (uint32_t frame = 1;; ++frame) {
        flySaverFrame(frame);
        presentAndClear(0);
        const bool pressed = endOnInput && pressQueued();
        const int quit = pumpMessages();
        const bool acted = personActed(frame) || pressed;
        if (quit != 0 || terminationRequested() || (endOnInput && acted)) {
            return 0;
        }
    }
}
