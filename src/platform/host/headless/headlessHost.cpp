// The headless host record: memory screen, virtual clock, scripted input, recorded message
// boxes. Each seam function here is a few lines; the script, the faults and the frame records
// keep their own files.
#include "platform/host/headless/headlessHost.h"
#include "platform/compat/layerControl.h"
#include "platform/host/headless/headlessState.h"

HeadlessState headless;

static void windowCreated(const char* title, int, int) {
    headless.windowTitle = title ? title : "";
}

static bool setDisplayMode(int width, int height, int bitsPerPixel) {
    if (!headlessModeAllowed(width, height, bitsPerPixel)) {
        return false;
    }
    headless.displayMode = {width, height, bitsPerPixel};
    return true;
}

static void surfaceFormat(int bitsPerPixel, HostSurfaceFormat* format) {
    if (bitsPerPixel == 16) {
        format->redMask = headless.redMask16;
        format->greenMask = headless.greenMask16;
        format->blueMask = headless.blueMask16;
    }
    format->pitchPadding = headless.extraPitch;
}

static void present(const HostFrame* frame) {
    headlessRecordFrame(frame);
}

static void paletteChanged(const HostPaletteEntry* entries) {
    for (int i = 0; i < 256; i++) {
        headless.screenPalette[i] = {entries[i].red, entries[i].green, entries[i].blue,
                                     entries[i].flags};
    }
}

static bool pollEvent(HostEvent* event) {
    return headlessTakeEvent(event);
}

static void keyboardRead(void) {
    if (headless.keyboardHook) {
        headless.keyboardHook(headless.keyboardContext);
    }
}

static uint32_t tickCount(void) {
    return headless.tickCount;
}

static void sleep(uint32_t milliseconds) {
    headless.tickCount += milliseconds;
}

static void showCursor(bool visible) {
    headless.cursorVisible = visible;
}

static void warpCursor(int x, int y) {
    headless.warpCount++;
    headless.lastWarp = {x, y};
}

static void minimiseWindow(void) {
    headless.minimiseCount++;
}

static int messageBox(const char* text, const char* caption, uint32_t flags) {
    headless.messageBoxCount++;
    headless.messageBoxText = text ? text : "";
    headless.messageBoxCaption = caption ? caption : "";
    headless.messageBoxFlags = flags;
    return 1; // IDOK: the user closed it at once
}

static const char* commandLine(void) {
    return headless.commandLine.c_str();
}

static constexpr Host hostRecord() {
    Host host{};
    host.name = "headless";
    host.windowCreated = windowCreated;
    host.setDisplayMode = setDisplayMode;
    host.surfaceFormat = surfaceFormat;
    host.present = present;
    host.paletteChanged = paletteChanged;
    host.pollEvent = pollEvent;
    host.keyboardRead = keyboardRead;
    host.tickCount = tickCount;
    host.sleep = sleep;
    host.showCursor = showCursor;
    host.warpCursor = warpCursor;
    host.minimiseWindow = minimiseWindow;
    host.messageBox = messageBox;
    host.commandLine = commandLine;
    host.injectedResult = headlessInjectedResult;
    host.surfaceMemoryGoing = headlessSurfaceMemoryGoing;
    // takeWindowOptions stays empty: no window of its own to show in any other way.
    return host;
}

extern const Host activeHost = hostRecord();

void headlessReset(void) {
    // The layer first: releasing its objects must not touch the host state we are clearing.
    compatReset();
    headless = HeadlessState();
}

void headlessSetTickCount(DWORD ticks) {
    headless.tickCount = ticks;
}

void headlessAdvanceTicks(DWORD milliseconds) {
    headless.tickCount += milliseconds;
}

void headlessSetPresentHook(HeadlessPresentHook hook, void* context) {
    headless.presentHook = hook;
    headless.presentContext = context;
}

void headlessSetKeyboardHook(HeadlessKeyboardHook hook, void* context) {
    headless.keyboardHook = hook;
    headless.keyboardContext = context;
}

void headlessSetCommandLine(const char* commandLine) {
    headless.commandLine = commandLine ? commandLine : "";
}

int headlessLiveObjectCount(void) {
    return compatLiveObjectCount();
}

void headlessHoldKey(BYTE virtualKey) {
    compatHoldKey(virtualKey);
}
