#include "app/flightControl.h"

#include "app/flight/autopilot.h"
#include "app/flight/flightRecording.h"
#include "app/preferences.h"
#include "record/displayState.h"
#include "scene/sceneParameters.h"
#include "window/inputState.h"

FlightControl flightControl;

namespace {

void setInput(const FlightStep& step) {
    mouseX = display.screenWidth / 2 + step.dx;
    mouseY = display.screenHeight / 2 + step.dy;
    mouseButtons = step.buttons;
}

// The autopilot never moves the cursor, which stays at the centre, and never touches the raw
// button bits: a mouse message away from both the centre and the autopilot's own position, or
// any button the person holds, is the person's.
bool personMoved() {
    const int32_t centreX = display.screenWidth / 2;
    const int32_t centreY = display.screenHeight / 2;
    const bool atCentre = mouseX == centreX && mouseY == centreY;
    const bool whereLeft = mouseX == flightControl.autopilotX && mouseY == flightControl.autopilotY;
    return lastMouseButtons != 0 || (!atCentre && !whereLeft);
}

} // namespace

void steerAfterPump() {
    const uint32_t frame = ++flightControl.framesPumped;
    if (flightControl.playback != nullptr) {
        const std::vector<FlightStep>& steps = *flightControl.playback;
        if (frame <= steps.size()) {
            setInput(steps[frame - 1]);
        } else {
            // Past its end the flight lets go of the mouse and keeps its buttons.
            setInput(FlightStep{0, 0, mouseButtons});
        }
    } else if (flightControl.watched) {
        flightControl.next = autopilotStep(sceneSeed, frame);
    } else if (flightControl.autopilot) {
        if (frame > 1 && personMoved()) {
            flightControl.autopilot = false;
        } else {
            setInput(autopilotStep(sceneSeed, frame));
            flightControl.autopilotX = mouseX;
            flightControl.autopilotY = mouseY;
        }
    }
    if (flightRecordingActive()) {
        const FlightHeader header{true, display.screenWidth, display.screenHeight, sceneSeed,
                                  speedPreference};
        recordFlightStep(header, FlightStep{mouseX - display.screenWidth / 2,
                                            mouseY - display.screenHeight / 2, mouseButtons});
    }
}
