#include "app/appMain.h"

#include "app/cellWorkers.h"
#include "app/flightControl.h"
#include "app/frameLoop.h"
#include "app/inputWatch.h"
#include "app/preferences.h"
#include "app/terminationSignal.h"
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "window/fatalError.h"
#include "window/inputState.h"
#include "window/mainWindow.h"

const char* const windowTitle = "Quarnel [Orrinvale 2002]";

namespace {

int32_t entryThreads = 0;
bool entryAutopilot = false;
bool entryStatistics = false;

} // namespace

void startDemonstration(HINSTANCE instance) {
    // The desktop's size, taken before any mode of ours changes it.
    const int desktopWidth = GetSystemMetrics(SM_CXSCREEN);
    const int desktopHeight = GetSystemMetrics(SM_CYSCREEN);
    createMainWindow(instance, display.screenWidth, display.screenHeight, windowTitle);
    if (runSettings.desktopFallback) {
        openDisplayTrueColourFallingBack(desktopWidth, desktopHeight);
    } else {
        openDisplayTrueColour();
    }
    createBackBuffer();
    setFatalErrorNote(nullptr);
    clearAndPresent(0);
    initSceneParameters();
    resetCamera();
    mouseY = display.screenHeight / 2;
    mouseX = display.screenWidth / 2;
    SetCursorPos(mouseX, mouseY);
}

void startRun(HINSTANCE instance, const RunSettings& settings) {
    runSettings = settings;
    display.screenWidth = settings.width;
    display.screenHeight = settings.height;
    speedPreference = settings.speed;
    setCellThreads(settings.threads);
    flightControl = FlightControl{};
    flightControl.playback = settings.steering == Steering::flight ? settings.flight : nullptr;
    flightControl.autopilot = settings.steering == Steering::autopilot;
    flightControl.watched = settings.steering == Steering::watchedAutopilot;
    if ((settings.endRules & endOnTermination) != 0) {
        // Before the host starts, which then leaves a handler that is not the default alone.
        catchTerminationSignal();
    }
    // A resolution the display refuses ends at a DirectDraw site: say where it came from.
    setFatalErrorNote(settings.resolutionNote);
    startDemonstration(instance);
    startInputWatch();
}

int runDemonstration(HINSTANCE instance, const RunSettings& settings) {
    startRun(instance, settings);
    runFrameLoop();
    return 0;
}

void setDemonstrationOptions(int32_t threads, bool autopilot, bool frameStatistics) {
    entryThreads = threads;
    entryAutopilot = autopilot;
    entryStatistics = frameStatistics;
}

int appMain(HINSTANCE instance, HINSTANCE, const char*, int) {
    loadPreferences();
    RunSettings settings;
    settings.width = display.screenWidth;
    settings.height = display.screenHeight;
    settings.speed = speedPreference;
    settings.threads = entryThreads;
    settings.steering = entryAutopilot ? Steering::autopilot : Steering::person;
    settings.frameStatistics = entryStatistics;
    settings.resolutionNote = preferencesResolutionNote();
    return runDemonstration(instance, settings);
}
