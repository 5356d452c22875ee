// Sines to within a known error, at a fraction of the correctly rounded sine's cost: for
// callers that round the result further (to single precision, say) and can tell from the bound
// when the error could change their answer, and then ask for the correctly rounded one.
#pragma once

#include <cstdint>

// The most any result is away from the true sine of its argument.
const double quickSineError = 0x1p-50;

// The sines of count arguments (any count); each finite argument with at most 24 significant
// bits (every float), and every double below 2^17 in magnitude, gets its sine within
// quickSineError. Other arguments give a NaN.
void quickSines(const double* arguments, double* sines, int32_t count);
