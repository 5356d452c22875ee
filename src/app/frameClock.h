// The clocks the frame loop measures and paces itself by: a steady clock and the process's CPU
// time, both in microseconds, and a wait. A test may hold them still and move them by hand, so
// that what the loop measures is known exactly.
#pragma once

#include <cstdint>

// Microseconds since some fixed moment; never goes back.
uint64_t steadyMicroseconds();

// Microseconds of CPU the process's threads have used, all of them together.
uint64_t processCpuMicroseconds();

// Waits about this long; a signal may end the wait early.
void sleepMicroseconds(uint64_t microseconds);

// From here both clocks stand still at 0 and move only by advanceHeldClocks, and
// sleepMicroseconds moves the steady clock instead of waiting.
void holdFrameClocks();
void advanceHeldClocks(uint64_t steadyMicroseconds, uint64_t cpuMicroseconds);
// Back to the real clocks.
void releaseFrameClocks();
