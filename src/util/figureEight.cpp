#include "util/figureEight.h"

#include "util/correctlyRoundedSine.h"

float figureEightX(double t, int32_t screenWidth) {
    return static_cast<float>(correctlyRoundedCos(t) * screenWidth / 3.0 + screenWidth / 2);
}

float figureEightY(double t, int32_t screenHeight) {
    return static_cast<float>(correctlyRoundedSin(2.0 * t) * screenHeight / 3.0 + screenHeight / 2);
}
