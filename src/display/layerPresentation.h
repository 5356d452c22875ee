// Presentation with the layer: after each frame the back buffer starts again as a copy of the
// layer's picture.
#pragma once

// Shows the back buffer, copies the layer into it and locks both again. Every step is
// checked (sites 101 to 106).
void presentWithLayer();
// Copies the layer into the back buffer without showing anything; nothing is checked.
void restoreFromLayer();
