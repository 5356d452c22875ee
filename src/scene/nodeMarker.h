// The small screen-space decoration of a node: a ring of four short lines and four dots,
// plus stubs and corner blocks chosen by the decision fields.
#pragma once

#include "record/colour.h"

#include <cstdint>

// The structure generator takes a node's fields in batches, so the marker comes in two steps.
// Whether a marker is drawn, from decision field 2's value at the node: only if that chooses it
// and the node lies strictly inside the depth window (cameraZ + 1, cameraZ + 2 × screenWidth),
// which also keeps the projection's divisor above 1.
const int32_t nodeMarkerDecisionField = 2;
bool nodeMarkerChosen(float z, float decisionValue);

// The drawing, given the values of decision fields 3 to 10 at the node.
const int32_t nodeMarkerFirstExtraField = 3;
const int32_t nodeMarkerExtraFields = 8;
void drawChosenNodeMarker(float x, float y, float z, Colour colour, const float* extraValues);
