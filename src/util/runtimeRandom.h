// The runtime library's random generator as the system knows it: the linear congruential
// generator of the Windows C runtime, values 0 to 32767. Ours, so that one seed gives the
// same scene on every host; this is what the system means by srand and rand.
#pragma once

#include <cstdint>

const int32_t runtimeRandomMax = 32767;

void seedRuntimeRandom(uint32_t seed);
int32_t runtimeRandom();
