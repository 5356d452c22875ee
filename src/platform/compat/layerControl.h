// What a host may do to the layer as a whole, beyond the Win32 calls: throw all its state away
// between tests, and count the DirectDraw objects still in memory.
#pragma once

#include "platform/compat/windowsApi.h"

// Frees every window, class, queued message, DirectDraw object, surface and palette, and puts
// the cursor, keyboard state and display mode back to their start. Calls no host function.
void compatReset(void);

// DirectDraw objects, surfaces and palettes in memory, invalidated ones included.
int compatLiveObjectCount(void);

// A key that is already down when the program looks, with no message for it: the next
// keyboard snapshot shows it held.
void compatHoldKey(BYTE virtualKey);
