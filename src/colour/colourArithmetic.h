// Per-channel arithmetic on packed colours.
#pragma once

#include "record/colour.h"

// Each channel (a × b) >> 8: white times white is 0xFEFEFE, anything times black is black.
Colour multiplyColour(Colour a, Colour b);

// Each channel 255 − ((255 − a) × (255 − b) >> 8), the rule of the screen-blended plot: black
// screened with black is 0x010101, anything screened with white is white.
Colour screenColour(Colour a, Colour b);
