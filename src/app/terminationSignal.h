// SIGTERM, the way a screensaver daemon ends its hack: caught, so that the frame loop can end
// the program cleanly with status 0 instead of the signal killing it mid-frame.
#pragma once

// Installs the handler; from then on a SIGTERM only raises the request.
void catchTerminationSignal();

// True once a SIGTERM has arrived since catchTerminationSignal.
bool terminationRequested();
