#include "app/frameLoop.h"

#include "app/cameraControl.h"
#include "app/cellWorkers.h"
#include "app/flightControl.h"
#include "app/preferences.h"
#include "app/screenshotKey.h"
#include "display/tilePresentation.h"
#include "platform/win32.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "window/inputState.h"
#include "window/messagePump.h"

#include <cstdint>

namespace {

const uint8_t keyQ = 0x51;

} // namespace

void moveCamera() {
    steerCamera();
    SetCursorPos(display.screenWidth / 2, display.screenHeight / 2);
    changeCameraSpeed(mouseButtons);
    camera.cameraZ += camera.cameraSpeed;
    driftWavePhases(static_cast<float>(0.0001 * speedPreference));
}

int runFrame() {
    moveCamera();
    growVisibleCells();
    presentAndClearScene();
    const int quit = pumpMessages();
    return quit | (keyState[keyQ] & 0x80) | (keyState[VK_ESCAPE] & 0x80);
}

void runFrameLoop() {
    for (;;) {
        const int end = runFrame();
        takeScreenshotOnKey();
        steerAfterPump();
        if (end != 0) {
            return;
        }
    }
}
