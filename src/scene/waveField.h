// Smooth random functions of a world point: a sum of three sines, one along each axis, scaled
// into [0, 1]. Every shape, bend, choice and colour shift of the scene is read from them.
#pragma once

#include <cstdint>

struct WaveField {
    float freqX; // radians per world unit
    float freqY;
    float freqZ;
    float phaseX; // radians
    float phaseY;
    float phaseZ;
};

// In [0, 1]; the x and y terms are centred on the screen centre, the z term is not.
float evaluateWave(const WaveField& field, float x, float y, float z);

// The most fields evaluateWaves takes at once.
const int32_t waveBatchLimit = 18;

// evaluateWave of count fields (at most waveBatchLimit) at one point, with their sines taken
// together.
void evaluateWaves(const WaveField* const* fields, int32_t count, float x, float y, float z,
                   float* values);

// floor(value × n) of a field's value.
int32_t quantiseWaveValue(float value, int32_t n);

// floor(value × n): 0 .. n − 1 on equal sub-ranges of [0, 1), and n only where the value is
// exactly 1.0.
int32_t quantiseWave(const WaveField& field, float x, float y, float z, int32_t n);
