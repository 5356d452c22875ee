// The headless host's one record, shared by its files. Tests reach it through headlessHost.h.
#pragma once

#include "platform/host/headless/headlessHost.h"
#include "platform/host/host.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

// A script entry: an input event, or a pause of `pauseLength` milliseconds of virtual time.
struct HeadlessScriptItem {
    bool isPause;
    HostEvent event;
    uint32_t pauseLength;
};

struct HeadlessFault {
    std::string call;
    int remaining; // calls still to let through; the one after fails
    bool every;
    int32_t result;
};

struct HeadlessRefusal {
    int width;
    int height;
    int bitsPerPixel;
};

struct HeadlessState {
    uint32_t tickCount = 0;

    std::deque<HeadlessScriptItem> script;
    bool pauseRunning = false;
    uint32_t pauseEnd = 0;

    std::vector<HeadlessFault> faults;
    std::map<std::string, int> callCounts;
    std::vector<HeadlessRefusal> refusals;
    int extraPitch = 0;
    uint32_t redMask16 = 0xF800;
    uint32_t greenMask16 = 0x07E0;
    uint32_t blueMask16 = 0x001F;

    HeadlessDisplayMode displayMode = {0, 0, 0};
    std::vector<BYTE> framePixels;
    // The presented surface's own rows, while lastFrame reads them there; null when copied.
    const BYTE* borrowedPixels = nullptr;
    size_t borrowedBytes = 0;
    PALETTEENTRY framePalette[256] = {};
    std::vector<RECT> frameChanges;
    HeadlessFrame lastFrame = {};
    int presentCount = 0;
    PALETTEENTRY screenPalette[256] = {};

    int messageBoxCount = 0;
    std::string messageBoxText;
    std::string messageBoxCaption;
    UINT messageBoxFlags = 0;

    bool cursorVisible = true;
    int warpCount = 0;
    POINT lastWarp = {0, 0};
    int minimiseCount = 0;
    std::string windowTitle;
    std::string commandLine = "quarnel";

    HeadlessPresentHook presentHook = nullptr;
    void* presentContext = nullptr;
    HeadlessKeyboardHook keyboardHook = nullptr;
    void* keyboardContext = nullptr;
};

extern HeadlessState headless;

// Between the host record and the files that keep each concern.
bool headlessTakeEvent(HostEvent* event);
int32_t headlessInjectedResult(const char* call);
bool headlessModeAllowed(int width, int height, int bitsPerPixel);
void headlessRecordFrame(const HostFrame* frame);
void headlessSurfaceMemoryGoing(const uint8_t* pixels);
