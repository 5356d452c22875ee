#include "app/flight/autopilot.h"

#include "record/displayState.h"
#include "util/figureEight.h"
#include "util/randomNumbers.h"

#include <cmath>

namespace {

const double pathScale = 1.5;

// Where the autopilot wants the camera after frame k, as whole world units from the centre.
void pathPoint(uint32_t ticks, uint32_t frame, double* x, double* y) {
    const uint64_t turn = (static_cast<uint64_t>(ticks) + frame) % autopilotPeriod;
    const double t = twoPi * static_cast<double>(turn) / autopilotPeriod;
    *x = std::floor(pathScale * (figureEightX(t, display.screenWidth) - display.screenWidth / 2));
    *y = std::floor(pathScale * (figureEightY(t, display.screenHeight) - display.screenHeight / 2));
}

} // namespace

FlightStep autopilotStep(uint32_t ticks, uint32_t frame) {
    double x = 0;
    double y = 0;
    double previousX = 0;
    double previousY = 0;
    pathPoint(ticks, frame, &x, &y);
    pathPoint(ticks, frame - 1, &previousX, &previousY);
    const int32_t held = display.screenHeight >= 900 ? (display.screenHeight + 300) / 600 : 1;
    FlightStep step;
    step.dx = static_cast<int>(x - previousX);
    step.dy = static_cast<int>(y - previousY);
    step.buttons = frame % static_cast<uint32_t>(held + 1) != 0 ? 1 : 0;
    return step;
}
