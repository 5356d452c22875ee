// Uniform, integer and Gaussian random numbers drawn from the runtime generator.
#pragma once

#include <cstdint>

const double twoPi = 6.283185307179586;

// [0, scale], both ends possible.
double randomUniform(double scale);
// 0 .. n - 1 for n >= 1; one draw.
int32_t randomInt(int32_t n);
// Box-Muller, cosine form; two draws per call.
double randomGaussian();
