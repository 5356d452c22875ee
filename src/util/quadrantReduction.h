// Argument reduction for the sine and cosine: x = n·π/2 + r with |r| at most π/4, exact
// enough for every finite double (Payne and Hanek's method, on integers).
#pragma once

#include "util/doubleDouble.h"

struct QuadrantReduction {
    DoubleDouble remainder; // r, relative error below 2^-100
    int quadrant;           // n modulo 4
};

QuadrantReduction reduceQuadrant(double x);

// The same for an x with at most 24 significant bits (every float) from 1 up to 2^128, in a
// few integer products; r's absolute error stays below 2^-104 (its relative error may be
// larger where x lies very close to a multiple of π/2). False when x is not such a number.
bool reduceQuadrantOfFloat(double x, QuadrantReduction* reduction);
