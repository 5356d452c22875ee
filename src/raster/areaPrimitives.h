// Area operations above the single pixel that are not slots of the pixel-operation table:
// corner outlines and solid boxes (8-bit buffers), spans and solid triangles (every mode).
// The outline slot frameRect is reached through pixelOps.
#pragma once

#include "record/colour.h"

#include <cstdint>

// Outline through the corners (x1, y1) and (x2, y2), both included, in the 8-bit back buffer.
// Drawn whole or not at all: nothing unless every byte of its top and bottom runs lies inside
// the buffer. Runs that pass the area's right edge continue into the bytes that follow; side
// pixels outside the area are skipped. Corners in the wrong order draw nothing.
void frameBox(uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, Colour colour);

// Solid 8-bit rectangles with unsigned bounds, the far corner excluded. The start corner must
// lie in the area or nothing is drawn; the rest is cut at the right and bottom edges.
void fillRectFront(uint32_t x, uint32_t y, uint32_t w, uint32_t h, Colour colour);
// Corners in the wrong order (x2 < x1 or y2 < y1) make an empty box.
void fillBox(uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, Colour colour);
void fillBoxLayer(uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, Colour colour);

// Columns min(xa, xb) <= c < max(xa, xb) of row y, cut to the area (the last column included).
void drawSpan(int32_t xa, int32_t xb, int32_t y, Colour colour);

// Solid triangle, rows from the top vertex's down to, not including, the bottom vertex's.
// The vertex order does not matter.
void fillTriangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  Colour colour);
