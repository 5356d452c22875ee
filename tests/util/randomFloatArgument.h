// Sine arguments for the tests that compare a quick route with an exact one.
#pragma once

#include <cstdint>
#include <cstring>

// A float from 32 random bits: any finite float on even draws, and on odd ones a magnitude
// between 2^-28 and 2^24, where the scene's arguments lie.
inline float randomFloatArgument(uint64_t* state, int draw) {
    *state = *state * 6364136223846793005ull + 1442695040888963407ull;
    uint32_t bits = (uint32_t)(*state >> 32);
    if (draw % 2 != 0) {
        const uint32_t exponent = 127 - 28 + (bits >> 8) % 52;
        bits = (bits & 0x807FFFFFu) | exponent << 23;
    } else if ((bits & 0x7F800000u) == 0x7F800000u) {
        bits &= 0xBFFFFFFFu;
    }
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
