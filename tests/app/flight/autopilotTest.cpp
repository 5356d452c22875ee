#include "app/flight/autopilot.h"
#include "app/flightControl.h"
#include "app/frameLoop.h"
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "platform/host/headless/headlessHost.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "support/systemReset.h"
#include "window/inputState.h"
#include "window/mainWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void startDemonstration(int width, int height, DWORD ticks) {
    resetSystemGlobals();
    headlessSetTickCount(ticks);
    display.screenWidth = width;
    display.screenHeight = height;
    createMainWindow(GetModuleHandleA(nullptr), width, height, "autopilot");
    openDisplayTrueColour();
    createBackBuffer();
    clearAndPresent(0);
    initSceneParameters();
    resetCamera();
    mouseX = width / 2;
    mouseY = height / 2;
    SetCursorPos(mouseX, mouseY);
    flightControl = FlightControl{};
    flightControl.autopilot = true;
}

bool drewSomething(const HeadlessFrame* frame) {
    const size_t bytes = static_cast<size_t>(frame->width) * frame->height * frame->bytesPerPixel;
    for (size_t i = 0; i < bytes; ++i) {
        if (frame->pixels[i] != 0) {
            return true;
        }
    }
    return false;
}

// 100,000 frames: every one moves the camera forward, the steering stays within the figure of
// eight, and frames drawn along the way (the first hundred, then one in two thousand; the
// rest only move the camera, which is all a frame's input changes) all show something.
TEST(Autopilot, FliesOnBoundedForAHundredThousandFrames) {
    const int width = 96;
    const int height = 72;
    startDemonstration(width, height, 2002);
    const float bound = 2 * 1.5f * width / 3 + 2;
    float previousZ = camera.cameraZ;
    float lowX = 0;
    float highX = 0;
    float lowY = 0;
    float highY = 0;
    int drawn = 0;
    for (uint32_t frame = 1; frame <= 100000; ++frame) {
        if (frame <= 100 || frame % 2000 == 0) {
            const int presents = headlessPresentCount();
            ASSERT_EQ(runFrame(), 0) << frame;
            ASSERT_EQ(headlessPresentCount(), presents + 1);
            ASSERT_TRUE(drewSomething(headlessLastFrame())) << "frame " << frame;
            ++drawn;
        } else {
            moveCamera();
        }
        steerAfterPump();
        ASSERT_TRUE(flightControl.autopilot) << "frame " << frame;
        ASSERT_TRUE(std::isfinite(camera.cameraX) && std::isfinite(camera.cameraY) &&
                    std::isfinite(camera.cameraZ))
            << frame;
        ASSERT_LE(std::fabs(camera.cameraX), bound) << frame;
        ASSERT_LE(std::fabs(camera.cameraY), bound) << frame;
        if (frame >= 2) {
            ASSERT_GT(camera.cameraZ, previousZ) << "frame " << frame;
            ASSERT_GT(camera.cameraSpeed, 0.0f) << frame;
        }
        previousZ = camera.cameraZ;
        lowX = std::min(lowX, camera.cameraX);
        highX = std::max(highX, camera.cameraX);
        lowY = std::min(lowY, camera.cameraY);
        highY = std::max(highY, camera.cameraY);
    }
    EXPECT_EQ(drawn, 150);
    // It weaves: across the width of the screen and the height, half as large again.
    EXPECT_GE(highX - lowX, width - 2);
    EXPECT_GE(highY - lowY, height - 2);
}

// The same ticks and size give the same flight; other ticks start elsewhere on the path.
TEST(Autopilot, DeterministicForTheTicks) {
    display.screenWidth = 800;
    display.screenHeight = 600;
    int sumX = 0;
    int sumY = 0;
    int maxX = 0;
    bool differs = false;
    for (uint32_t frame = 1; frame <= autopilotPeriod; ++frame) {
        const FlightStep a = autopilotStep(7, frame);
        const FlightStep b = autopilotStep(7, frame);
        const FlightStep c = autopilotStep(8, frame);
        ASSERT_EQ(a.dx, b.dx);
        ASSERT_EQ(a.dy, b.dy);
        ASSERT_EQ(a.buttons, b.buttons);
        differs = differs || a.dx != c.dx || a.dy != c.dy;
        ASSERT_LE(std::abs(a.dx), 3);
        ASSERT_LE(std::abs(a.dy), 3);
        sumX += a.dx;
        sumY += a.dy;
        maxX = std::max(maxX, std::abs(sumX));
        EXPECT_EQ(a.buttons, frame % 2);
    }
    EXPECT_TRUE(differs);
    // One turn comes back to where it started, having gone a third of the width and a half.
    EXPECT_EQ(sumX, 0);
    EXPECT_EQ(sumY, 0);
    EXPECT_GE(maxX, 800);
    // Taller screens hold the button longer, for the same pace through their larger cells.
    display.screenHeight = 2160;
    EXPECT_EQ(autopilotStep(7, 4).buttons, 1);
    EXPECT_EQ(autopilotStep(7, 5).buttons, 0);
}

// Any move of the person's own, or a button, takes the controls back for good.
TEST(Autopilot, ThePersonTakesOver) {
    startDemonstration(96, 72, 5);
    for (int frame = 1; frame <= 3; ++frame) {
        runFrame();
        steerAfterPump();
    }
    ASSERT_TRUE(flightControl.autopilot);
    // A message at the centre (the cursor put back) is not the person.
    headlessQueueMouseMoveTo(48, 36, 0);
    runFrame();
    steerAfterPump();
    ASSERT_TRUE(flightControl.autopilot);
    headlessQueueMouseMoveBy(5, 0, 0);
    runFrame();
    const int32_t personX = mouseX;
    steerAfterPump();
    EXPECT_FALSE(flightControl.autopilot);
    EXPECT_EQ(mouseX, personX);
    startDemonstration(96, 72, 5);
    runFrame();
    steerAfterPump();
    headlessQueueButtonDown(MK_RBUTTON);
    runFrame();
    steerAfterPump();
    EXPECT_FALSE(flightControl.autopilot);
    EXPECT_EQ(mouseButtons, 2);
}

} // namespace
