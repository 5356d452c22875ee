// One reset for every global of the system, used by every fixture in SetUp and TearDown, so
// that no test sees what another left behind: the headless host and the layer's objects, the
// display record, the window's and the input's globals, the clip window, the drawn tiles, the
// pixel-operation slots, the translation tables, the camera, the scene parameters, the speed
// preference, the flight control and the run's settings.
#pragma once

#include "app/flightControl.h"
#include "app/frameLoop.h"
#include "app/preferences.h"
#include "colour/translationTables.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/clipWindow.h"
#include "raster/drawnTiles.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "window/inputState.h"
#include "window/mainWindow.h"
#include "window/messagePump.h"

#include <gtest/gtest.h>

#include <cstring>

inline void resetSystemGlobals() {
    headlessReset();
    std::memset(&display, 0, sizeof display);
    forgetClipWindow();
    forgetDrawnTiles();
    pixelOps = PixelOps{};
    plotScreen = bindPlotScreen;
    freeTranslationTables();
    mainWindow = nullptr;
    appInstance = nullptr;
    mouseX = 0;
    mouseY = 0;
    lastMouseButtons = 0;
    buttonsBlocked = 1;
    mouseButtons = 0;
    charTyped = 0;
    std::memset(typedText, 0, sizeof typedText);
    std::memset(keyState, 0, sizeof keyState);
    std::memset(previousKeyState, 0, sizeof previousKeyState);
    minimiseRequested = 0;
    std::memset(&camera, 0, sizeof camera);
    std::memset(&sceneParameters, 0, sizeof sceneParameters);
    speedPreference = 0;
    flightControl = FlightControl{};
    runSettings = RunSettings{};
}

// The base of every fixture: the system's globals reset before each test and after it. A
// fixture with set-up of its own calls SystemTest::SetUp() first.
class SystemTest : public ::testing::Test {
  protected:
    void SetUp() override { resetSystemGlobals(); }
    void TearDown() override { resetSystemGlobals(); }
};

template <typename Parameter>
class SystemTestWithParam : public SystemTest, public ::testing::WithParamInterface<Parameter> {};
