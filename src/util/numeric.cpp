#include "util/numeric.h"

// Ties go to the second argument.
double maxReal(double a, double b) {
    return b >= a ? b : a;
}
double minReal(double a, double b) {
    return b <= a ? b : a;
}
int32_t maxInt(int32_t a, int32_t b) {
    return a > b ? a : b;
}
int32_t truncateToInt32(double v) {
    if (v > -2147483649.0 && v < 2147483648.0) {
        return truncateInRange(v);
    }
    return INT32_MIN;
}

int32_t minInt(int32_t a, int32_t b) {
    return a < b ? a : b;
}
uint32_t minUnsigned(uint32_t a, uint32_t b) {
    return a < b ? a : b;
}

double atLeastZero(double x) {
    return x < 0 ? 0.0 : x;
}
int32_t atLeastZeroInt(int32_t i) {
    return i < 0 ? 0 : i;
}
double atMostZero(double x) {
    return x <= 0 ? x : 0.0;
}
int32_t atMostZeroInt(int32_t i) {
    return i <= 0 ? i : 0;
}

double signOf(double x) {
    if (x < 0) {
        return -1.0;
    }
    return x > 0 ? 1.0 : 0.0;
}

double square(double x) {
    return x * x;
}
double cube(double x) {
    return (x * x) * x;
}
double inverseSquare(double x) {
    return (1 / x) / x;
}
