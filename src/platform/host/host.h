// Where our Win32/DirectDraw layer meets the machine. Three hosts define the one record
// `activeHost`, and which one a program gets is decided when it is linked: headless (memory
// screen, virtual clock, scripted input and fault injection: tests and quarnel-render), SDL2
// (a real window, full screen or not, or a screensaver daemon's window: the demonstration) and
// web (a page's canvas, waiting for the browser's animation frames: the WebAssembly build).
// The layer keeps all Win32 and DirectDraw state itself (windows, queues, surfaces, the virtual
// cursor); a host only shows pixels, reports input, keeps time and answers a few questions.
// Hosts see plain C++ types only, never the system's headers.
#pragma once

#include <cstdint>

// Same layout as PALETTEENTRY.
struct HostPaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

enum class HostEventKind {
    mouseMoveTo, // x, y: absolute position in display-mode pixels; buttons held after the move
    mouseMoveBy, // x, y: relative motion in display-mode pixels; buttons held after the move
    buttonDown,  // buttons: the one button (1 left, 2 right)
    buttonUp,    // buttons: the one button
    keyDown,     // key: Win32 virtual-key code (generic VK_SHIFT/VK_CONTROL/VK_MENU for modifiers)
    keyUp,       // key: as above
    minimise,    // the user minimised the window
    restore,     // the user restored it
    close,       // the user asked the window to close (becomes WM_CLOSE)
    quit,        // the session ends (becomes WM_QUIT)
};

struct HostEvent {
    HostEventKind kind;
    int x;
    int y;
    uint32_t buttons;
    uint32_t key;
};

// What a memory surface of a given depth looks like on this host. The layer fills in the
// usual values before asking; a host changes what it needs to.
struct HostSurfaceFormat {
    uint32_t redMask;   // 16-bit depth only; 24 and 32 bits are always 0xFF0000
    uint32_t greenMask; // 16-bit: 0x7E0 (5-6-5) by default, 0x3E0 for 5-5-5
    uint32_t blueMask;
    int pitchPadding; // bytes added to every row beyond its width rounded up to 4
};

// A part of the visible surface, in its pixels.
struct HostRect {
    int x;
    int y;
    int width;
    int height;
};

// The visible surface as it stands after a blit onto it or an unlock of it.
struct HostFrame {
    const uint8_t* pixels;
    int width;
    int height;
    int pitch;
    int bytesPerPixel;               // 1, 2, 3 or 4
    const HostPaletteEntry* palette; // 256 entries at 1 byte per pixel; null if none attached
    // What changed since the frame the host was shown before: null when anything may have (the
    // first frame, another surface or size, a palette change, a whole blit or lock, a device
    // context); otherwise changedCount rectangles inside the frame, none overlapping another
    // (possibly none), outside which every pixel is as that frame had it. A host may ignore
    // them and take the whole frame; one that does take them must itself present whole what
    // only it knows may have changed (an exposed window, a new size).
    const HostRect* changed;
    int changedCount;
};

// How the user asked the program's window to be shown: the process entry's options, given once
// before the program starts. Hosts without a window of their own take no notice.
enum class HostScaling {
    unset,  // the host's default (the SDL2 host reads QUARNEL_SCALE, else fits)
    fit,    // as large as the window allows, the aspect kept
    integer // the largest whole multiple that fits, sampled nearest, centred
};

// Where a screensaver daemon wants the picture, instead of a window the program makes itself.
enum class HostSaverTarget {
    none,          // the program's own window, as the other options say
    foreignWindow, // a window another program made: saverWindowId (XScreenSaver's -window-id)
    rootWindow,    // the screen's root window (-root)
    ownWindow,     // a plain window of the program's own, to try the saver in (-window)
};

struct HostWindowOptions {
    bool windowed = false;   // a resizable window at the display mode's size, not the desktop
    int display = -1;        // the monitor, counted from 0; -1: the host's choice
    int framesPerSecond = 0; // the most presents per second; 0: no cap of the user's
    HostScaling scaling = HostScaling::unset;
    // A screensaver's window takes no input, no steering and no message boxes.
    HostSaverTarget saverTarget = HostSaverTarget::none;
    uint64_t saverWindowId = 0; // foreignWindow: the window's id (an X window id)
};

struct Host {
    const char* name;
    // The program is creating its window: a host with a real one opens it now, or answers false
    // when there is none to open (CreateWindowExA then fails, as Windows would). Hosts without
    // a window of their own leave it empty.
    bool (*openWindow)(void);
    // The program's window exists (no display mode yet).
    void (*windowCreated)(const char* title, int width, int height);
    // May the display take this mode? width and height are 1..16384, depth 8, 16, 24 or 32.
    bool (*setDisplayMode)(int width, int height, int bitsPerPixel);
    void (*surfaceFormat)(int bitsPerPixel, HostSurfaceFormat* format);
    void (*present)(const HostFrame* frame);
    // The palette of the visible surface changed (256 entries).
    void (*paletteChanged)(const HostPaletteEntry* entries);
    // Takes the next input event; false when there is none right now.
    bool (*pollEvent)(HostEvent* event);
    // The program reads the keyboard snapshot: once per frame in the system's frame loop.
    void (*keyboardRead)(void);
    uint32_t (*tickCount)(void);
    void (*sleep)(uint32_t milliseconds);
    void (*showCursor)(bool visible);
    // The program put the cursor here (display-mode pixels); a host may move a real pointer.
    void (*warpCursor)(int x, int y);
    // The program minimised its window (CloseWindow); a restore comes back as an event.
    void (*minimiseWindow)(void);
    // Shows a message box; returns the Win32 button code (IDOK = 1). Must not block forever.
    int (*messageBox)(const char* text, const char* caption, uint32_t flags);
    const char* (*commandLine)(void);
    // Consulted at the start of every fallible call the layer makes ("CreateSurface",
    // "IDirectDrawSurface::Release", "RegisterClassA", ...): 0 lets the call run, anything else
    // makes it fail with that result. Real hosts return 0.
    int32_t (*injectedResult)(const char* call);
    // The user's choices for the window, before the program's window exists.
    void (*takeWindowOptions)(const HostWindowOptions* options);
    // A surface's memory is about to be freed: a host that kept a pointer to the pixels of a
    // frame it was shown, instead of a copy, takes its copy now. Hosts that keep no such
    // pointer leave it empty.
    void (*surfaceMemoryGoing)(const uint8_t* pixels);
};

// Filled by name, in a function of the host that assigns each slot and returns the record:
// C++17 has no designated initialisers, and an aggregate initialised by position would let two
// slots of one type (keyboardRead and minimiseWindow, say) change places unseen. The function
// is constexpr, so that `activeHost` can be initialised before any constructor runs; each
// host's tests check the record with everyHostSlotFilled.
//   extern const Host activeHost = hostRecord();
extern const Host activeHost;

// Every slot but openWindow and takeWindowOptions, which a host without a window of its own
// leaves empty, and surfaceMemoryGoing, which a host that copies every frame it is shown leaves
// empty.
constexpr bool everyHostSlotFilled(const Host& host) {
    return host.name != nullptr && host.windowCreated != nullptr &&
           host.setDisplayMode != nullptr && host.surfaceFormat != nullptr &&
           host.present != nullptr && host.paletteChanged != nullptr && host.pollEvent != nullptr &&
           host.keyboardRead != nullptr && host.tickCount != nullptr && host.sleep != nullptr &&
           host.showCursor != nullptr && host.warpCursor != nullptr &&
           host.minimiseWindow != nullptr && host.messageBox != nullptr &&
           host.commandLine != nullptr && host.injectedResult != nullptr;
}
