#include "app/frameLoop.h"

#include "app/cameraControl.h"
#include "app/cellWorkers.h"
#include "app/flightControl.h"
#include "app/preferences.h"
#include "app/screenshotKey.h"
#include "display/presentation.h"
#include "platform/win32.h"
#include "raster/clipWindow.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/drawnArea.h"
#include "scene/sceneParameters.h"
#include "window/inputState.h"
#include "window/messagePump.h"

#include <cstdint>
#include <cstring>

namespace {

const uint8_t keyQ = 0x51;

// The back buffer as the frame loop's last clear left it: all zero.
struct ClearedBuffer {
    uint8_t* buffer;
    int32_t pitch;
    uint64_t presentations; // presentationCount() after that clear
};

ClearedBuffer cleared;

// presentAndClear(0) with the same bytes everywhere, but where only the scene has drawn since
// the last clear (the same buffer, nothing presented meanwhile, the drawn area known), only the
// spans it drew on are zeroed. Anything else gets the whole clear.
void presentAndClearScene() {
    const bool spansSuffice = drawnAreaKnown() && !clipWindowSet && display.backBuffer != nullptr &&
                              display.backBuffer == cleared.buffer &&
                              display.backPitch == cleared.pitch &&
                              presentationCount() == cleared.presentations;
    if (!spansSuffice) {
        presentAndClear(0);
    } else {
        presentFrame();
        if (display.backBuffer != cleared.buffer || display.backPitch != cleared.pitch) {
            // The re-lock moved the buffer: its bytes are unknown.
            if (display.backBuffer != nullptr && display.backPitch > 0) {
                std::memset(display.backBuffer, 0,
                            static_cast<size_t>(display.backPitch) * display.screenHeight);
            }
        } else {
            const size_t pixelBytes = static_cast<size_t>(display.pixelMode);
            for (int32_t y = 0; y < display.screenHeight; ++y) {
                int32_t first;
                int32_t last;
                drawnRowSpan(y, &first, &last);
                if (first <= last) {
                    std::memset(display.backBuffer + static_cast<size_t>(y) * display.backPitch +
                                    first * pixelBytes,
                                0, (last - first + 1) * pixelBytes);
                }
            }
        }
    }
    cleared = {display.backBuffer, display.backPitch, presentationCount()};
    forgetDrawnArea();
}

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
