// Circles from a floating-point centre and radius into the back buffer, in every mode.
#pragma once

#include "record/colour.h"

// The outline by eight-way symmetry: one step per whole g while g < min(r / sqrt 2 + 1, r),
// eight points per step through the plot slot.
void drawCircle(float cx, float cy, float r, Colour colour);
// The disc row by row: rows ceil(cy - r) to floor(cy + r), each run both ends included.
void fillCircle(float cx, float cy, float r, Colour colour);
