// SIGTERM, the way a screensaver daemon ends its hack: caught, so that the frame loop can end
// the program cleanly with status 0 instead of the signal killing it mid-frame. Should the loop
// not ask within a short grace time (a library call that never returns: Xlib waiting on a
// window its daemon destroyed), a watchdog thread ends the process there, with status 0.
#pragma once

// Installs the handler and, the first time, starts the watchdog; from then on a SIGTERM only
// raises the request.
void catchTerminationSignal();

// True once a SIGTERM has arrived since catchTerminationSignal. A true answer stands the
// watchdog down: the loop that asked is ending.
bool terminationRequested();
