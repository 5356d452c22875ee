// The web host record: the picture goes to the page's canvas once per animation frame (the
// page calls the program for each frame), input comes from the page's script, the clock is
// the browser's (or stands still for a flight).
#include "platform/host/web/webHost.h"
#include "platform/compat/layerControl.h"
#include "platform/host/web/webFrameConversion.h"

#include <emscripten.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

enum class Clock { browser, seeded, virtualClock };

struct WebHostState {
    int width = 0; // the display mode
    int height = 0;
    HostPaletteEntry palette[256] = {};
    bool paletteKnown = false;
    std::vector<uint8_t> rgba; // what the canvas shows
    int shownWidth = 0;
    int shownHeight = 0;
    std::deque<HostEvent> events;
    uint32_t heldButtons = 0;
    Clock clock = Clock::browser;
    uint32_t ticks = 0;        // seeded or virtual: the count now, or the seed
    double clockStart = 0;     // seeded: emscripten_get_now() when the clock started running
    bool clockRunning = false; // seeded: after the first keyboard snapshot
    bool flying = false;       // on the virtual clock, steered by the program's flight control
    int flightFrames = 0;
    int frame = 0; // keyboard snapshots taken
    std::string commandLine;
};

WebHostState web;

} // namespace

// The page shows the frame (and keeps it when a test asks).
// changed: count rectangles (x, y, width, height as four ints each) that are all that differs
// from the frame shown before, or null when the whole frame may.
EM_JS(void, webShowFrame,
      (const uint8_t* rgba, int width, int height, const HostRect* changed, int count), {
          Module["quarnelShowFrame"](
              HEAPU8.subarray(rgba, rgba + width * height * 4), width, height,
              changed ? HEAP32.subarray(changed >> 2, (changed >> 2) + 4 * count) : null);
      });

EM_JS(void, webShowMessage, (const char* text, const char* caption),
      { Module["quarnelShowMessage"](UTF8ToString(text), UTF8ToString(caption)); });

EM_JS(void, webRunEnded, (int status), { Module["quarnelRunEnded"](status); });

EM_JS(void, webSetTitle, (const char* title), { document.title = UTF8ToString(title); });

EM_JS(double, webDateNow, (), { return Date.now(); });

EM_JS(void, webShowCursor, (int visible), { Module["quarnelShowCursor"](!!visible); });

static void queueEvent(HostEventKind kind, int x, int y, uint32_t buttons, uint32_t key) {
    web.events.push_back(HostEvent{kind, x, y, buttons, key});
}

static void windowCreated(const char* title, int, int) {
    webSetTitle(title ? title : "");
}

static bool setDisplayMode(int width, int height, int) {
    // Every depth is converted for the canvas; the page has already refused sizes it cannot
    // show.
    web.width = width;
    web.height = height;
    return true;
}

static void surfaceFormat(int, HostSurfaceFormat*) {
    // The layer's usual formats are what we convert.
}

// Only the rectangles the layer names are converted and put on the canvas; the rest of the
// host's copy is the frame before's. A copy of another size is new, and all of it is shown.
static void present(const HostFrame* frame) {
    static_assert(sizeof(HostRect) == 4 * sizeof(int32_t), "the page reads rectangles as ints");
    const size_t bytes = static_cast<size_t>(frame->width) * frame->height * 4;
    bool whole = frame->changed == nullptr;
    if (web.rgba.size() != bytes || web.shownWidth != frame->width ||
        web.shownHeight != frame->height) {
        web.rgba.assign(bytes, 0);
        web.shownWidth = frame->width;
        web.shownHeight = frame->height;
        whole = true;
    }
    const HostPaletteEntry* palette = web.paletteKnown ? web.palette : nullptr;
    if (whole) {
        convertFrameToRgba(*frame, palette, web.rgba.data());
        webShowFrame(web.rgba.data(), frame->width, frame->height, nullptr, 0);
    } else {
        for (int i = 0; i < frame->changedCount; i++) {
            const HostRect& rect = frame->changed[i];
            convertFrameRectToRgba(*frame, palette, rect.x, rect.y, rect.width, rect.height,
                                   web.rgba.data());
        }
        webShowFrame(web.rgba.data(), frame->width, frame->height, frame->changed,
                     frame->changedCount);
    }
}

static void paletteChanged(const HostPaletteEntry* entries) {
    std::memcpy(web.palette, entries, sizeof web.palette);
    web.paletteKnown = true;
}

static bool pollEvent(HostEvent* event) {
    if (web.events.empty()) {
        return false;
    }
    *event = web.events.front();
    web.events.pop_front();
    return true;
}

// Escape held in the last frame's keyboard snapshot ends the loop once that frame is presented.
static void keyboardRead(void) {
    ++web.frame;
    if (web.clock == Clock::seeded && !web.clockRunning) {
        web.clockRunning = true;
        web.clockStart = emscripten_get_now();
    }
    if (web.flying && web.frame == web.flightFrames) {
        compatHoldKey(0x1B); // VK_ESCAPE
    }
}

static uint32_t tickCount(void) {
    switch (web.clock) {
    case Clock::virtualClock:
        return web.ticks;
    case Clock::seeded:
        return web.clockRunning
                   ? web.ticks + static_cast<uint32_t>(emscripten_get_now() - web.clockStart)
                   : web.ticks;
    case Clock::browser:
        break;
    }
    // GetTickCount counts from boot, and programs seed with it: milliseconds of the wall
    // clock give every run its own scene. Wraps after 49.7 days, as GetTickCount does.
    return static_cast<uint32_t>(static_cast<uint64_t>(webDateNow()));
}

static void sleepFor(uint32_t milliseconds) {
    // Only a minimised window sleeps, and the page's window is never minimised.
    if (web.clock == Clock::virtualClock) {
        web.ticks += milliseconds;
    }
}

static void showCursor(bool visible) {
    webShowCursor(visible ? 1 : 0);
}

static void warpCursor(int, int) {
    // The pointer is locked to the canvas: only its motion is reported.
}

static void minimiseWindow(void) {}

static int messageBox(const char* text, const char* caption, uint32_t) {
    webShowMessage(text ? text : "", caption ? caption : "");
    return 1; // IDOK: the page shows it without waiting
}

static const char* commandLine(void) {
    return web.commandLine.c_str();
}

static int32_t injectedResult(const char*) {
    return 0;
}

static constexpr Host hostRecord() {
    Host host{};
    host.name = "web";
    host.windowCreated = windowCreated;
    host.setDisplayMode = setDisplayMode;
    host.surfaceFormat = surfaceFormat;
    host.present = present;
    host.paletteChanged = paletteChanged;
    host.pollEvent = pollEvent;
    host.keyboardRead = keyboardRead;
    host.tickCount = tickCount;
    host.sleep = sleepFor;
    host.showCursor = showCursor;
    host.warpCursor = warpCursor;
    host.minimiseWindow = minimiseWindow;
    host.messageBox = messageBox;
    host.commandLine = commandLine;
    host.injectedResult = injectedResult;
    // takeWindowOptions stays empty: the page decides the canvas's size and scale.
    return host;
}

extern const Host activeHost = hostRecord();

void webHostFlyOnVirtualClock(uint32_t ticks, int frames) {
    web.clock = Clock::virtualClock;
    web.ticks = ticks;
    web.flying = true;
    web.flightFrames = frames;
}

void webHostSetSeed(uint32_t ticks) {
    web.clock = Clock::seeded;
    web.ticks = ticks;
    web.clockRunning = false;
}

void webHostReset(void) {
    compatReset();
    web = WebHostState();
}

void webHostRunEnded(int status) {
    webRunEnded(status);
}

extern "C" EMSCRIPTEN_KEEPALIVE void webHostInput(int kind, int x, int y, int buttons, int key) {
    if (web.flying) {
        return;
    }
    const uint32_t button = buttons == 1 || buttons == 2 ? static_cast<uint32_t>(buttons) : 0;
    switch (kind) {
    case webMouseMoveBy:
        queueEvent(HostEventKind::mouseMoveBy, x, y, web.heldButtons, 0);
        break;
    case webButtonDown:
    case webButtonUp:
        if (button) {
            const bool down = kind == webButtonDown;
            web.heldButtons = down ? web.heldButtons | button : web.heldButtons & ~button;
            queueEvent(down ? HostEventKind::buttonDown : HostEventKind::buttonUp, 0, 0, button, 0);
        }
        break;
    case webKeyDown:
    case webKeyUp:
        if (key > 0 && key < 0xFF) {
            queueEvent(kind == webKeyDown ? HostEventKind::keyDown : HostEventKind::keyUp, 0, 0, 0,
                       static_cast<uint32_t>(key));
        }
        break;
    case webClose:
        queueEvent(HostEventKind::close, 0, 0, 0, 0);
        break;
    default:
        break;
    }
}
