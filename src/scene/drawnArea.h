// The part of the back buffer the scene has drawn on since the frame's clear: per row, a span
// that holds every pixel its lines and dots may have touched. The frame loop clears only that
// instead of the whole buffer; at 3840 x 2160 a frame draws some 185,000 of 8 million pixels.
#pragma once

#include <cstdint>

// An empty area for the screen as it is now.
void forgetDrawnArea();

// Adds what a screen-blended line between the two points may touch (a dot: the same point
// twice): its bounding box with a margin for the stepping's rounding.
void noteDrawnLine(float x1, float y1, float x2, float y2);

// False when the area is not known: never started, the screen changed size, a clip window was
// set while drawing, or a position was not a number.
bool drawnAreaKnown();

// Row y's span of pixels; first > last when nothing was drawn on the row.
void drawnRowSpan(int32_t y, int32_t* first, int32_t* last);
