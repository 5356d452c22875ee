// The small screen-space decoration of a node: a ring of four short lines and four dots,
// plus stubs and corner blocks chosen by the decision fields.
#pragma once

#include "record/colour.h"

#include <cstdint>

// Drawn only if chosen by decision field 2 and the node lies strictly inside the depth window
// (cameraZ + 1, cameraZ + 2 × screenWidth), which also keeps the projection's divisor above 1.
void drawNodeMarker(float x, float y, float z, Colour colour);

// The same in two steps, for a caller that takes the marker's fields together with others at
// the node: whether a marker is drawn, from decision field 2's value there, and the drawing,
// given the values of decision fields 3 to 10 there (nodeMarkerExtraFields of them).
const int32_t nodeMarkerDecisionField = 2;
const int32_t nodeMarkerFirstExtraField = 3;
const int32_t nodeMarkerExtraFields = 8;
bool nodeMarkerChosen(float z, float decisionValue);
void drawChosenNodeMarker(float x, float y, float z, Colour colour, const float* extraValues);
