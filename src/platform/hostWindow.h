// The user's choices for the program's window (the process entry's options) handed to the host
// that shows it. On the real Windows interfaces the display is the program's own and there is
// nobody to tell.
#pragma once

#include "platform/host/host.h"

#if defined(QUARNEL_REAL_DIRECTDRAW)
inline void chooseHostWindow(const HostWindowOptions&) {}
#else
// Call before the program's window is created.
void chooseHostWindow(const HostWindowOptions& options);
#endif
