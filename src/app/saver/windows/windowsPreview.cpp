// The control panel's preview: the autopilot flies the demonstration's own frames, small, which
// GDI stretches over the client area of the window the panel gave (itself a child window of the
// panel). DirectDraw is not involved: the frame is a plain memory buffer the display record
// points at, presented with GDI instead of the display's tile present.
#include "app/cellWorkers.h"
#include "app/flightControl.h"
#include "app/frameLoop.h"
#include "app/preferences.h"
#include "app/saver/windows/windowsSaver.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Small enough to cost little, large enough that the thin lines survive the stretch.
const int previewWidth = 320;
const int previewHeight = 240;
// About 25 frames a second: a thumbnail in a dialog need not take a whole core.
const DWORD previewFrameMilliseconds = 40;

// False once a quit message has come.
bool pumpPreviewMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

// The window belongs to another process: its context is taken afresh for every frame, and the
// pixel read back waits until the frame has reached the window (some systems, Wine among them,
// otherwise hold such drawing back until something waits for it).
void drawPreviewFrame(HWND window, const uint8_t* pixels, const BITMAPINFO& picture) {
    HDC context = GetDC(window);
    if (context == nullptr) {
        return;
    }
    RECT area = {};
    GetClientRect(window, &area);
    SetStretchBltMode(context, HALFTONE);
    SetBrushOrgEx(context, 0, 0, nullptr);
    StretchDIBits(context, 0, 0, area.right, area.bottom, 0, 0, previewWidth, previewHeight, pixels,
                  &picture, DIB_RGB_COLORS, SRCCOPY);
    GetPixel(context, 0, 0);
    ReleaseDC(window, context);
}

} // namespace

int runWindowsPreview(HWND parent) {
    if (!IsWindow(parent)) {
        std::fprintf(stderr, "quarnel: /p %llu: no such window to draw the preview into\n",
                     static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(parent)));
        return 1;
    }
    loadPreferences(); // the drift speed; the resolution is the preview's own

    std::vector<uint8_t> frame(static_cast<size_t>(previewWidth) * previewHeight * 4, 0);
    display.screenWidth = previewWidth;
    display.screenHeight = previewHeight;
    display.pixelMode = pixelModeTrueColour32;
    display.backBuffer = frame.data();
    display.backPitch = previewWidth * 4;
    selectPixelOps();
    initSceneParameters();
    resetCamera();
    runSettings = RunSettings{};
    runSettings.steering = Steering::watchedAutopilot;
    flightControl = FlightControl{};
    flightControl.watched = true;
    setCellThreads(1); // a thumbnail in a dialog need not take every core

    // 32-bit pixels are blue, green, red, unused: a top-down DIB as they stand.
    BITMAPINFO picture = {};
    picture.bmiHeader.biSize = sizeof picture.bmiHeader;
    picture.bmiHeader.biWidth = previewWidth;
    picture.bmiHeader.biHeight = -previewHeight;
    picture.bmiHeader.biPlanes = 1;
    picture.bmiHeader.biBitCount = 32;
    picture.bmiHeader.biCompression = BI_RGB;

    while (IsWindow(parent)) {
        const DWORD start = GetTickCount();
        drawFrame();
        drawPreviewFrame(parent, frame.data(), picture);
        std::memset(frame.data(), 0, frame.size());
        if (!pumpPreviewMessages()) {
            break;
        }
        steerAfterPump();
        const DWORD spent = GetTickCount() - start;
        if (spent < previewFrameMilliseconds) {
            Sleep(previewFrameMilliseconds - spent);
        }
    }
    display.backBuffer = nullptr;
    return 0;
}
