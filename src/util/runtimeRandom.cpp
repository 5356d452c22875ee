#include "util/runtimeRandom.h"

// The runtime starts as if seeded with 1.
static uint32_t runtimeRandomState = 1;

void seedRuntimeRandom(uint32_t seed) {
    runtimeRandomState = seed;
}

int32_t runtimeRandom() {
    runtimeRandomState = runtimeRandomState * 214013u + 2531011u;
    return static_cast<int32_t>((runtimeRandomState >> 16) & 0x7FFF);
}
