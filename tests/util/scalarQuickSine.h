// The quick sines built a second time with the compiler's vector code turned off, for the test
// that the vector code gives the same bits.
#pragma once

#include <cstdint>

void scalarQuickSines(const double* arguments, double* sines, int32_t count);
