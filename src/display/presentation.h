// Moving the finished frame from the locked back buffer to the screen, with or without the
// layer, and byte fills of the back buffer and the layer. Fills cover pitch x screenHeight bytes,
// row ends included. A clip window set meanwhile is taken away for the duration of each call and
// put back after, so the whole screen is presented and filled.
#pragma once

#include <cstdint>

// Copies the back buffer to the screen and locks it again; backBuffer and backPitch are
// refreshed from the new lock. Results are not checked: a failed blit just shows nothing new.
void presentFrame();
// Frames presented since the start: each call below that presents counts one.
uint64_t presentationCount();
// presentFrame, then fills the back buffer with value.
void presentAndClear(uint8_t value);
// Fills the back buffer with value, then presentAndClear: a uniform screen and a filled buffer.
void clearAndPresent(uint8_t value);
// Fills the layer with value.
void clearLayerBuffer(uint8_t value);
// Fills the back buffer and the layer, then presentAndClear.
void clearAllAndPresent(uint8_t value);

// With the layer: after each frame the back buffer starts again as a copy of the layer's
// picture. Shows the back buffer, copies the layer into it and locks both again. Every step is
// checked (sites 101 to 106).
void presentWithLayer();
// Copies the layer into the back buffer without showing anything; nothing is checked.
void restoreFromLayer();
