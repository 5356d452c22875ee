// The one camera, always looking along +z, and the perspective that maps world points onto
// the screen. World units equal pixels on the plane one screen width in front of the eye.
#pragma once

#include "record/colour.h"

struct Camera {
    float cameraX;     // sideways offset of the eye
    float cameraY;     // vertical offset, y growing downward as on the screen
    float cameraZ;     // depth of the eye; the view looks toward larger z
    float cameraSpeed; // added to cameraZ once per frame by the frame loop
};

extern Camera camera;

// At rest, one screen width behind the plane z = 0, so that plane maps one to one.
void resetCamera();

// Perspective divide with the screen width as focal length. The caller keeps z at least
// cameraZ + 1; there is no test here.
void projectPoint(float x, float y, float z, float* sx, float* sy);

// Nothing is drawn unless both ends lie at cameraZ + 1 or beyond: a segment crossing the near
// limit is dropped whole rather than clipped.
void drawSegment3D(float x1, float y1, float z1, float x2, float y2, float z2, Colour colour);
