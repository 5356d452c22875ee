// X errors on SDL's X11 connection, answered without making another request: Xlib calls its
// handlers with the display's lock held, and a handler that asks the server anything (SDL's own
// restores the display modes through XRandR) waits for ever on its own caller.
#pragma once

// After SDL's video has started: the X server going away ends the program with a line on
// standard error (status 0 for a screensaver, whose window went with it, else 1) instead of
// Xlib's message about requests. For a screensaver drawing into a window another program
// owns, BadWindow and BadDrawable then mean the window is gone: they are noted, not fatal.
// Does nothing on other video drivers.
void sdlCatchXErrors(void);
// True once, the first time it is asked after the screensaver's window went.
bool sdlTakeSaverWindowGone(void);
