#include "app/frameLoop.h"

#include "app/cameraControl.h"
#include "app/cellWorkers.h"
#include "app/flightControl.h"
#include "app/framePacing.h"
#include "app/inputWatch.h"
#include "app/preferences.h"
#include "app/screenshotKey.h"
#include "app/terminationSignal.h"
#include "display/tilePresentation.h"
#include "platform/win32.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "window/inputState.h"
#include "window/messagePump.h"

#include <cstdint>

RunSettings runSettings;

namespace {

const uint8_t keyQ = 0x51;

} // namespace

void moveCamera() {
    if (flightControl.watched) {
        const FlightStep& step = flightControl.next;
        camera.cameraX += step.dx;
        camera.cameraY += step.dy;
        changeCameraSpeed(step.buttons);
    } else {
        steerCamera();
        SetCursorPos(display.screenWidth / 2, display.screenHeight / 2);
        changeCameraSpeed(mouseButtons);
    }
    camera.cameraZ += camera.cameraSpeed;
    driftWavePhases(static_cast<float>(0.0001 * speedPreference));
}

void drawFrame() {
    moveCamera();
    growVisibleCells();
}

int runFrame() {
    const uint32_t frame = flightControl.framesPumped + 1;
    const uint32_t rules = runSettings.endRules;
    drawFrame();
    presentAndClearScene();
    paceFramePresent();
    const bool pressed = (rules & endOnInput) != 0 && pressQueued();
    int end = pumpMessages();
    if ((rules & endOnQuitKeys) != 0) {
        end |= (keyState[keyQ] & 0x80) | (keyState[VK_ESCAPE] & 0x80);
    }
    if ((rules & endOnInput) != 0 && (personActed(frame) || pressed)) {
        end |= 1;
    }
    if ((rules & endOnTermination) != 0 && terminationRequested()) {
        end |= 1;
    }
    if (runSettings.frames != 0 && frame >= runSettings.frames) {
        end |= 1;
    }
    return end;
}

bool flyFrame() {
    const int end = runFrame();
    // A screensaver's working folder is not ours to write screenshots into.
    if (!flightControl.watched) {
        takeScreenshotOnKey();
    }
    steerAfterPump();
    return end == 0;
}

void runFrameLoop() {
    startFramePacing();
    while (flyFrame()) {
    }
}
