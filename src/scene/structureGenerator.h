// Grows and draws one branching structure from a node: a darker, hue-shifted colour for the
// branches, one or two branches of four axis-aligned segments each, depth first, and a
// screen-space marker on the node after its subtree. Every decision is read from the scene's
// wave fields at the node itself, so a structure is a pure function of its start point, its
// colour and the current phases.
#pragma once

#include "record/colour.h"

// Decrements red, green and blue by 33, 23 and 13 (at least 0), then rotates the channels by
// the weight 0.75 × (colourValue − 0.5): forward (blue takes from green, green from red, red
// from blue) when positive, backward otherwise. colourValue is the colour field at the node.
Colour branchColour(Colour colour, float colourValue);

// One node at (x, y, z) with its incoming colour; recurses into every branch end. The colour
// loses at least 13 per level in its brightest channel, which bounds the depth at 20.
void growStructure(float x, float y, float z, Colour colour);
