// Control of the headless host, for tests and tools. The screen is memory, the clock is virtual
// (only Sleep and these functions move it), input is a script, message boxes are recorded and
// never block, and any call of the Win32/DirectDraw layer can be made to fail on purpose.
//
// Typical test:
//     headlessReset();                          // fresh host and layer, nothing alive
//     headlessRefuseDepth(24);                  // the display only does 32 bits
//     headlessFailCall("CreateSurface", 2, DDERR_OUTOFMEMORY);
//     headlessQueueMouseMoveBy(10, -5, MK_LBUTTON);
//     ... run system code ...
//     EXPECT_STREQ(headlessLastMessageBoxText(), "DirectDraw error 8007000E @ 7");
//
// Notes for code under test:
// - SetCooperativeLevel with DDSCL_EXCLUSIVE needs a live window: create one first
//   (CreateWindowExA on a registered class), as on Windows.
// - Input reaches window procedures only through PeekMessageA/DispatchMessageA; the keyboard
//   state that GetKeyboardState returns changes when key and mouse messages are taken from the
//   queue, as on Windows (a key pressed and released within one pump is never seen held).
//   TranslateMessage posts WM_CHAR for key presses that type something on a US layout.
// - The cursor lives on the screen: the desktop (1024 x 768 x 32) until an exclusive DirectDraw
//   object sets a mode, and the desktop again when that object is released. SetCursorPos that
//   moves the cursor queues a WM_MOUSEMOVE, as on Windows.
// - Releasing a DirectDraw object invalidates the surfaces and palettes it made: their memory
//   goes at once, their methods answer DDERR_INVALIDOBJECT, and their Release still frees them.
//   headlessLiveObjectCount() counts such shells until they are released.
#pragma once

#include "platform/win32.h"

#include <cstdint>

// --- Whole state ---------------------------------------------------------------------------
// Frees every window, class, DirectDraw object, surface and palette (alive or not), empties
// the message queue and the script, and puts every setting below back to its default.
void headlessReset(void);

// --- Virtual clock: GetTickCount returns it, Sleep(n) advances it by n ----------------------
void headlessSetTickCount(DWORD ticks);
void headlessAdvanceTicks(DWORD milliseconds);

// --- Scripted input, delivered in order as the layer polls for input -----------------------
// Positions and offsets are display-mode pixels; buttons are MK_LBUTTON | MK_RBUTTON held after
// the move. Absolute moves set the virtual cursor, relative ones move it (clamped to the screen).
void headlessQueueMouseMoveTo(int x, int y, DWORD buttons);
void headlessQueueMouseMoveBy(int dx, int dy, DWORD buttons);
void headlessQueueButtonDown(DWORD button); // MK_LBUTTON or MK_RBUTTON
void headlessQueueButtonUp(DWORD button);
void headlessQueueKeyDown(BYTE virtualKey);
void headlessQueueKeyUp(BYTE virtualKey);
// Holds the key down at once, with no message: the next keyboard snapshot shows it, as for a
// key pressed before the program looked (the frame boundary hook can end a run this way).
void headlessHoldKey(BYTE virtualKey);
void headlessQueueMinimise(void); // the window becomes iconic
void headlessQueueRestore(void);  // and comes back
void headlessQueueClose(void);    // WM_CLOSE to the window
void headlessQueueQuit(void);     // WM_QUIT
// Holds back the rest of the script until the virtual clock has moved on by this much from the
// moment the pause is reached (a pump that sleeps while minimised gets past it).
void headlessQueuePause(DWORD milliseconds);
int headlessPendingEvents(void);

// --- Hooks ---------------------------------------------------------------------------------
struct HeadlessFrame {
    const BYTE* pixels; // rows of width * bytesPerPixel bytes, no padding
    int width;
    int height;
    int bytesPerPixel;
    const PALETTEENTRY* palette; // 256 entries; all zero when the primary has no palette
    int number;                  // 1 for the first present after a reset
    // What the layer said changed since the frame before: null when anything may have;
    // otherwise changedCount rectangles (right and bottom exclusive) outside which the frame
    // is as the one before.
    const RECT* changed;
    int changedCount;
};
typedef void (*HeadlessPresentHook)(const HeadlessFrame* frame, void* context);
typedef void (*HeadlessKeyboardHook)(void* context);
// Called after every present to the visible surface (a blit onto it or its unlock).
void headlessSetPresentHook(HeadlessPresentHook hook, void* context);
// Called at every GetKeyboardState, before the snapshot is copied: the system's frame boundary.
// Events queued from here are seen by the same frame's message pump.
void headlessSetKeyboardHook(HeadlessKeyboardHook hook, void* context);

// --- Fault injection -------------------------------------------------------------------------
// `call` names a call of the layer: a DirectDraw method ("CreateSurface", "Lock", "SetEntries",
// ...), or qualified ("IDirectDrawSurface::Release", "IDirectDraw::Release") when the short
// name is shared; a short name matches every interface's method of that name. Also
// "DirectDrawCreate", "RegisterClassA" and "CreateWindowExA" (which fail by returning 0 for any
// result). `result` must be non-zero: 0 lets the call run. An injected failure does nothing
// but null the call's out-pointer and return `result`; for Release it returns `result` as the
// remaining count and releases nothing (as if someone else still held a reference).
void headlessFailCall(const char* call, int nth, HRESULT result); // the nth call from now
void headlessFailEveryCall(const char* call, HRESULT result);     // every call from now
int headlessCallCount(const char* call); // calls made since the reset, injected failures too
// SetDisplayMode refusals (DDERR_INVALIDMODE); 0 for width or height means any size.
void headlessRefuseDepth(int bitsPerPixel);
void headlessRefuseMode(int width, int height, int bitsPerPixel);
// Every memory surface created from now gets rows this many bytes wider than needed.
void headlessSetExtraPitch(int bytes);
// 16-bit pixel layout; default 5-6-5 (0xF800, 0x7E0, 0x1F).
void headlessSetMasks16(DWORD red, DWORD green, DWORD blue);

// --- What the host was asked to do --------------------------------------------------------
struct HeadlessDisplayMode {
    int width;
    int height;
    int bitsPerPixel; // 0 while no mode has been accepted since the reset
};
HeadlessDisplayMode headlessDisplayMode(void); // the last accepted mode
// Null before the first present. Its rows may be the visible surface's own memory, as the
// screen shows it: read them before the next present or reset.
const HeadlessFrame* headlessLastFrame(void);
int headlessPresentCount(void);
const PALETTEENTRY* headlessScreenPalette(void); // 256 entries: the palette last shown
int headlessMessageBoxCount(void);
const char* headlessLastMessageBoxText(void); // "" when none
const char* headlessLastMessageBoxCaption(void);
UINT headlessLastMessageBoxFlags(void);
bool headlessCursorVisible(void);
int headlessWarpCount(void);
POINT headlessLastWarp(void);
int headlessMinimiseCount(void);                      // CloseWindow calls that reached the host
const char* headlessWindowTitle(void);                // title of the last window created
void headlessSetCommandLine(const char* commandLine); // default "quarnel"

// DirectDraw objects, surfaces and palettes still in memory (including ones invalidated by the
// release of their DirectDraw object but not yet released by their holders).
int headlessLiveObjectCount(void);
