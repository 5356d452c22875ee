// What the program tells the host beyond the Win32 calls: the user's choices for the program's
// window (the process entry's options), and which parts of the screen a present changed. On the
// real Windows interfaces the display is the program's own and there is nobody to tell.
#pragma once

#include "platform/host/host.h"

#if defined(QUARNEL_REAL_DIRECTDRAW)
inline void chooseHostWindow(const HostWindowOptions&) {}
inline void tellHostScreenChanges(const HostRect*, int) {}
#else
// Call before the program's window is created.
void chooseHostWindow(const HostWindowOptions& options);
// The next unlock of the visible surface changes only these rectangles of it (none
// overlapping, inside the surface), so that the host may move only those. Any other present
// first forgets them.
void tellHostScreenChanges(const HostRect* rects, int count);
#endif
