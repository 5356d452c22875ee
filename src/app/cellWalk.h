// The pyramid of lattice cells in front of the camera: five layers from the one behind the
// nearest lattice plane, each one cell wider on every side, 165 cells in all.
#pragma once

#include "record/colour.h"

#include <cstdint>

// The side of a cell: a third of the screen height.
float cellSize();

// Index of the lattice plane nearest to a camera coordinate, in double precision.
double nearestCell(float coordinate, float size);

// 255 at the camera's own position, 0 from about three cells away on.
int32_t fogBrightness(double distance);

// A visited cell: its lattice index, its centre in world units and its fog grey.
typedef void (*CellVisitor)(int32_t x, int32_t y, int32_t z, float centreX, float centreY,
                            float centreZ, Colour fog);

// Visits the cells in order z, then x, then y ascending.
void walkVisibleCells(CellVisitor visit);

// The walk's one visitor that draws: grows the cell's structure at its centre in its fog grey
// (growStructure), straight into the back buffer.
void growCellStructure(int32_t x, int32_t y, int32_t z, float centreX, float centreY, float centreZ,
                       Colour fog);
