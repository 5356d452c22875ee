// Minimum and maximum, one-sided limits, sign and powers.
#pragma once

#include <cstdint>

double maxReal(double a, double b);
double minReal(double a, double b);
int32_t maxInt(int32_t a, int32_t b);
int32_t minInt(int32_t a, int32_t b);
// Truncation toward zero; NaN, the infinities and values beyond 32 bits give INT32_MIN, the
// integer-indefinite value of x86's own conversion, instead of undefined behaviour.
int32_t truncateToInt32(double v);
uint32_t minUnsigned(uint32_t a, uint32_t b);
double atLeastZero(double x);
int32_t atLeastZeroInt(int32_t i);
double atMostZero(double x);
int32_t atMostZeroInt(int32_t i);
double signOf(double x);
double square(double x);
double cube(double x);
double inverseSquare(double x);
