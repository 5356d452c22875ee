// Whether the window can be seen at all, learnt on the host's own X connection: covered whole
// by other windows (X's visibility), or, for a window another program made, unmapped by its
// owner. SDL reports neither: it asks no visibility of its windows and nothing of a foreign
// window's changes. An unseen window is told to the program as minimised, so that it sleeps
// as it does then and flies on where it was when the window shows again. Under a compositing
// window manager no window is ever covered; other video drivers are not watched.
#pragma once

#include "platform/host/host.h"

// Starts watching the host's window, once it is made.
void sdlWatchWindowSight(void);
// The next change of sight, as a minimise or restore event; false when there is none.
bool sdlTakeSightChange(HostEvent* event);
