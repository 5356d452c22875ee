// A figure of eight lying on its side across a screen of the given size, for paths driven by
// an angle.
#pragma once

#include <cstdint>

float figureEightX(double t, int32_t screenWidth);
float figureEightY(double t, int32_t screenHeight);
