// The frame's cells grown on every core. Worker threads, alive for the whole run, grow the
// structures of the cells into per-cell command lists; the calling thread grows cells too and
// replays the lists in the walk's order, so the pixels are those of the single-threaded walk,
// byte for byte. Nothing is allocated per frame once the lists have grown to their size.
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
