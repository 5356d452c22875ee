// Argument reduction for the sine and cosine: x = n·π/2 + r with |r| at most π/4, exact
// enough for every finite double (Payne and Hanek's method, on integers).
#pragma once

#include "util/doubleDouble.h"

struct QuadrantReduction {
    DoubleDouble remainder; // r, relative error below 2^-100
    int quadrant;           // n modulo 4
};

QuadrantReduction reduceQuadrant(double x);
