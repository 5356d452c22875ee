// Minimum and maximum, one-sided limits, sign and powers.
#pragma once

#include <cstdint>
#include <cstring>

double maxReal(double a, double b);
double minReal(double a, double b);
int32_t maxInt(int32_t a, int32_t b);
int32_t minInt(int32_t a, int32_t b);
// Truncation toward zero; NaN, the infinities and values beyond 32 bits give INT32_MIN, the
// integer-indefinite value of x86's own conversion, instead of undefined behaviour.
int32_t truncateToInt32(double v);
// The same for a v the caller has found strictly between -2^31 - 1 and 2^31. Inline: the line
// walks take it for every pixel. WebAssembly's conversion tests for overflow on every call, so
// there the whole part is taken plus 1.5 x 2^52, which is exact in this range and holds it, two's
// complement, in the low 32 bits.
inline int32_t truncateInRange(double v) {
#if defined(__wasm__)
    const double shifted = __builtin_trunc(v) + 6755399441055744.0;
    uint64_t bits;
    std::memcpy(&bits, &shifted, sizeof bits);
    return static_cast<int32_t>(static_cast<uint32_t>(bits));
#else
    return static_cast<int32_t>(v);
#endif
}
uint32_t minUnsigned(uint32_t a, uint32_t b);
double atLeastZero(double x);
int32_t atLeastZeroInt(int32_t i);
double atMostZero(double x);
int32_t atMostZeroInt(int32_t i);
double signOf(double x);
double square(double x);
double cube(double x);
double inverseSquare(double x);
