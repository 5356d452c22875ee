#include "app/appMain.h"

#include "app/frameLoop.h"
#include "app/preferences.h"
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "window/fatalError.h"
#include "window/inputState.h"
#include "window/mainWindow.h"

const char* const windowTitle = "Quarnel [Orrinvale 2002]";

void startDemonstration(HINSTANCE instance) {
    createMainWindow(instance, display.screenWidth, display.screenHeight, windowTitle);
    openDisplayTrueColour();
    createBackBuffer();
    setFatalErrorNote(nullptr);
    clearAndPresent(0);
    initSceneParameters();
    resetCamera();
    mouseY = display.screenHeight / 2;
    mouseX = display.screenWidth / 2;
    SetCursorPos(mouseX, mouseY);
}

int appMain(HINSTANCE instance, HINSTANCE, const char*, int) {
    loadPreferences();
    // A resolution the display refuses ends at a DirectDraw site: say where it came from.
    setFatalErrorNote(preferencesResolutionNote());
    startDemonstration(instance);
    runFrameLoop();
    return 0;
}
