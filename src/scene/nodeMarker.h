// The small screen-space decoration of a node: a ring of four short lines and four dots,
// plus stubs and corner blocks chosen by the decision fields.
#pragma once

#include "record/colour.h"

// Drawn only if chosen by decision field 2 and the node lies strictly inside the depth window
// (cameraZ + 1, cameraZ + 2 × screenWidth), which also keeps the projection's divisor above 1.
void drawNodeMarker(float x, float y, float z, Colour colour);
