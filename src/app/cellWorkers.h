// The frame's cells grown and drawn on every core. Worker threads, alive for the whole run, and
// the calling thread grow the structures of the cells into per-cell lists of settled walks;
// the screen is cut into bands of rows, and each band is drawn by one thread, which replays
// every list into it in the walk's order, so each pixel gets the blends of the single-threaded
// walk in the same order, byte for byte. Between frames the workers also copy and clear the
// drawn tiles for the tile presentation. Nothing is allocated per frame once the lists have
// grown to their size.
#pragma once

#include <cstdint>

// Threads that grow cells, the calling one included: 0 (the default) means every hardware
// thread; 1 grows and draws every cell on the calling thread, with no lists.
void setCellThreads(int32_t count);

// The number setCellThreads asked for, with 0 resolved to the hardware's threads (at least 1).
int32_t cellThreads();

// Grows and draws the structures of every visible cell, in the walk's order.
void growVisibleCells();

// Lines and dots of the last frame grown with more than one thread (0 after a frame with one).
int64_t lastFrameCommandCount();

// Ends the workers; the next frame with more than one thread starts them again.
void stopCellWorkers();
