#include "app/cameraControl.h"

#include "record/displayState.h"
#include "scene/camera.h"
#include "util/numeric.h"
#include "window/inputState.h"

void steerCamera() {
    camera.cameraX += mouseX - display.screenWidth / 2;
    camera.cameraY += mouseY - display.screenHeight / 2;
}

void changeCameraSpeed(int32_t buttons) {
    if (buttons == 1) {
        camera.cameraSpeed = static_cast<float>(atLeastZero(camera.cameraSpeed + 4.0f));
    } else if (buttons == 2) {
        camera.cameraSpeed = static_cast<float>(atMostZero(camera.cameraSpeed - 4.0f));
    } else {
        camera.cameraSpeed = static_cast<float>(0.8 * camera.cameraSpeed);
    }
}
