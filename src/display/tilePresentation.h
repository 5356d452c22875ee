// The frame's end for a back buffer that only the scene's screen-blended lines and dots draw on
// (raster/drawnTiles.h): the same bytes as presentAndClear(0), moving only the drawn tiles.
#pragma once

// Shows the back buffer and clears it for the next frame. Where only the scene has drawn since
// the last clear (the same buffer, nothing presented meanwhile, the drawn area known), only the
// tiles it drew on are zeroed; where the screen too is as the last presentation left it, only
// the tiles drawn on this frame or the one before are shown. Anything else gets the whole
// present and clear. Starts the next frame's drawn area.
void presentAndClearScene();
