// What a host may do to the layer as a whole, beyond the Win32 calls: throw all its state away
// between tests, and count the DirectDraw objects still in memory.
#pragma once

// Frees every window, class, queued message, DirectDraw object, surface and palette, and puts
// the cursor, keyboard state and display mode back to their start. Calls no host function.
void compatReset(void);

// DirectDraw objects, surfaces and palettes in memory, invalidated ones included.
int compatLiveObjectCount(void);
