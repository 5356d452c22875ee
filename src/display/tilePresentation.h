// The frame's end for a back buffer that only the scene's screen-blended lines and dots draw on
// (raster/drawnTiles.h): the same bytes as presentAndClear(0), moving only the drawn tiles.
#pragma once

#include <cstdint>

// Shows the back buffer and clears it for the next frame. Where only the scene has drawn since
// the last clear (the same buffer, nothing presented meanwhile, the drawn area known), only the
// tiles it drew on are zeroed; where the screen too is as the last presentation left it, only
// the tiles drawn on this frame or the one before are shown. Anything else gets the whole
// present and clear. Starts the next frame's drawn area.
void presentAndClearScene();

// The copying and clearing of the tiles is cut into parts of whole bands, which a runner may
// spread over threads: it calls job(part) once for every part from 0 to parts - 1, in any order
// and on any thread, and returns when all are done. Parts touch rows of their own only. Null
// (the default) runs them in turn on the calling thread.
typedef void (*TilePart)(int32_t part);
typedef void (*TilePartRunner)(TilePart job, int32_t parts);
void setTilePartRunner(TilePartRunner runner);
