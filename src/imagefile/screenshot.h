// The picture in the back buffer as an uncompressed BMP file: 8 bits with the palette in
// 8-bit mode, 24 bits otherwise. A progress bar on the bottom row of the back buffer is shown
// every 50 rows; the file holds the picture as it was before the call.
#pragma once

// Expects a locked back buffer. Returns 1 when the whole file was written. A file that cannot
// be created, or an empty drawing area, gives 0 with nothing written and nothing drawn; a
// write that fails part-way gives 0 after the bar has been drawn.
int writeScreenshot(const char* path);
