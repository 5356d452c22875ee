// The user's hold on the camera: mouse offsets steer it, the buttons change its speed.
#pragma once

#include <cstdint>

// Adds the mouse's offset from the screen centre to cameraX and cameraY; one pixel is one
// world unit.
void steerCamera();

// Left alone speeds up by 4 (cancelling any backward motion at once), right alone slows down
// by 4 (cancelling forward motion), anything else lets the speed decay by 0.8.
void changeCameraSpeed(int32_t buttons);
