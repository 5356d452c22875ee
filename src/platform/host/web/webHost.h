// The web host: the picture in a <canvas> on a web page (WebAssembly), input from the page,
// frames paced by the browser's animation frames. The page's script drives it; the web
// program chooses between the two ways of flying before it calls appMain.
#pragma once

#include <cstdint>

// A flight on a virtual clock standing at `ticks`, as quarnel-render flies it: the program's
// flight control steers, the page's own input is ignored, and Escape is held in the keyboard
// snapshot of frame `frames`.
void webHostFlyOnVirtualClock(uint32_t ticks, int frames);

// Interactive flight whose scene is seeded with `ticks`: the clock stands there until the
// first frame's keyboard snapshot and runs in milliseconds from then on.
void webHostSetSeed(uint32_t ticks);

// Forgets the virtual clock, the seed, held buttons and queued input, and resets the layer
// (for tests).
void webHostReset(void);

// The program's run is over (appMain returned): the page offers to fly again.
void webHostRunEnded(int status);

// Kinds of input the page reports (the numbers are the page's).
enum WebInputKind {
    webMouseMoveBy = 1, // x, y: relative motion in picture pixels
    webButtonDown = 2,  // buttons: 1 left, 2 right
    webButtonUp = 3,
    webKeyDown = 4, // key: Win32 virtual-key code
    webKeyUp = 5,
    webClose = 6,
};

extern "C" void webHostInput(int kind, int x, int y, int buttons, int key);
