// The part of the back buffer drawn on since the frame's clear, as a bitmap of small tiles: a
// screen-blended line marks the tiles along its own clipped walk, with the walk's own rounding
// (lines.h), a dot its one tile. The display clears only those and shows only those of this
// frame and the one before; at 3840 x 2160 a frame draws some 185,000 of 8 million pixels. The
// record of the frame before is kept too.
#pragma once

#include "raster/lines.h"

#include <cstdint>
#include <vector>

// Tiles of this many pixels across and rows down; a band is one row of tiles.
const int32_t drawnTileWidth = 16;
const int32_t drawnTileHeight = 4;

// A record of marked tiles.
struct DrawnTiles {
    bool known = false;
    int32_t width = 0;
    int32_t height = 0;
    int32_t tilesAcross = 0;
    int32_t words = 0;           // per band
    std::vector<uint64_t> tiles; // band after band, bit t of word w: tile 64 w + t
};

// Both records as before the first frame: nothing known, nothing kept.
void forgetDrawnTiles();

// Keeps the record so far as the previous frame's and starts an empty one for the screen as
// it is now.
void forgetDrawnArea();

// Marks what a screen-blended line between the two points may touch (a dot: the same point
// twice): the tiles along its path as drawn, with a margin for the stepping's rounding.
void noteDrawnLine(float x1, float y1, float x2, float y2);
// The same from a line clipped already (clipLine), for callers that go on to draw it.
void noteClippedLine(const ClippedLine& line);

// The same for threads that record the scene while another draws it: each marks a record of
// its own, started empty for the screen as it is now, and the drawing thread joins them in.
void startDrawnTiles(DrawnTiles* record);
void noteDrawnLineIn(DrawnTiles* record, float x1, float y1, float x2, float y2);
void noteClippedLineIn(DrawnTiles* record, const ClippedLine& line);
void joinDrawnTiles(const DrawnTiles& record);

// False when the area is not known: never started, the screen changed size, a clip window was
// set while drawing, or a position was not a number.
bool drawnAreaKnown();
// The same for the previous frame's record, which must also be of the screen's present size.
bool previousDrawnAreaKnown();

// The bands of the screen as it is now.
int32_t drawnBandCount();
// The first run of marked tiles of the band that starts at or after tile *first: *first becomes
// its first tile and *end the tile after its last. withPrevious joins the previous frame's
// tiles to this one's. False when there is none.
bool nextDrawnRun(int32_t band, bool withPrevious, int32_t* first, int32_t* end);

// The share of the screen's pixels in marked tiles (1 when the area is not known).
double drawnShare();
