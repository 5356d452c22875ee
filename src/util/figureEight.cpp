#include "util/figureEight.h"

#include "display/displayState.h"
#include "util/correctlyRoundedSine.h"

float figureEightX(double t) {
    return static_cast<float>(correctlyRoundedCos(t) * display.screenWidth / 3.0 +
                              display.screenWidth / 2);
}

float figureEightY(double t) {
    return static_cast<float>(correctlyRoundedSin(2.0 * t) * display.screenHeight / 3.0 +
                              display.screenHeight / 2);
}
