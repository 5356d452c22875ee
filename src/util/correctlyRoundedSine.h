// Sine and cosine rounded correctly to the nearest double. The runtime libraries' own differ
// from each other by an ulp here and there (glibc's, MinGW's x87 one, the MSVC runtime's), which
// would make the scene differ between hosts; these give the same bits everywhere.
#pragma once

#include <cstdint>

double correctlyRoundedSin(double x);
double correctlyRoundedCos(double x);

// The most arguments one call of correctlyRoundedSines takes.
const int32_t sineBatchLimit = 32;

// The sines of count arguments (at most sineBatchLimit) together, each with the same bits as
// correctlyRoundedSin gives it: the common case is evaluated for all of them in loops the
// compiler turns into vector code.
void correctlyRoundedSines(const double* arguments, double* sines, int32_t count);

// The exact route alone, with no quick evaluation: slow, for checking the quick ones.
double exactlyRoundedSin(double x);
double exactlyRoundedCos(double x);
