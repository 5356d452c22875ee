// Minimum and maximum, one-sided limits, sign and powers.
#pragma once

#include <cstdint>

double maxReal(double a, double b);
double minReal(double a, double b);
int32_t maxInt(int32_t a, int32_t b);
int32_t minInt(int32_t a, int32_t b);
uint32_t minUnsigned(uint32_t a, uint32_t b);
double atLeastZero(double x);
int32_t atLeastZeroInt(int32_t i);
double atMostZero(double x);
int32_t atMostZeroInt(int32_t i);
double signOf(double x);
double square(double x);
double cube(double x);
double inverseSquare(double x);
