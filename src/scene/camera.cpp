#include "scene/camera.h"

#include "record/displayState.h"
#include "scene/sceneCommands.h"

Camera camera;

void resetCamera() {
    camera.cameraX = 0.0f;
    camera.cameraY = 0.0f;
    camera.cameraZ = static_cast<float>(-display.screenWidth);
    camera.cameraSpeed = 0.0f;
}

void projectPoint(float x, float y, float z, float* sx, float* sy) {
    const float k = static_cast<float>(display.screenWidth) / (z - camera.cameraZ);
    const float cx = static_cast<float>(display.screenWidth / 2);
    const float cy = static_cast<float>(display.screenHeight / 2);
    *sx = (x - camera.cameraX - cx) * k + cx;
    *sy = (y - camera.cameraY - cy) * k + cy;
}

void drawSegment3D(float x1, float y1, float z1, float x2, float y2, float z2, Colour colour) {
    const float nearest = z2 < z1 ? z2 : z1;
    if (nearest < camera.cameraZ + 1.0f) {
        return;
    }
    float sx1;
    float sy1;
    float sx2;
    float sy2;
    projectPoint(x1, y1, z1, &sx1, &sy1);
    projectPoint(x2, y2, z2, &sx2, &sy2);
    sceneLine(sx1, sy1, sx2, sy2, colour);
}
