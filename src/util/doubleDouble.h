// Numbers held as the unevaluated sum of two doubles, for about 106 bits of precision from
// nothing but IEEE double additions and multiplications. Only exact on hosts that round every
// double operation once (SSE2 on x86, never x87) and never fuse a multiply and an add, which
// the build guarantees.
#pragma once

struct DoubleDouble {
    double hi;
    double lo; // |lo| is at most half an ulp of hi
};

// a + b exactly, when |a| >= |b| or a is zero.
inline DoubleDouble fastTwoSum(double a, double b) {
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// a + b exactly, whatever their sizes.
inline DoubleDouble twoSum(double a, double b) {
    const double sum = a + b;
    const double bPart = sum - a;
    const double aPart = sum - bPart;
    return {sum, (a - aPart) + (b - bPart)};
}

// a * b exactly (Dekker), for |a|, |b| below 2^996.
inline DoubleDouble twoProduct(double a, double b) {
    const double splitter = 134217729.0; // 2^27 + 1
    const double aScaled = splitter * a;
    const double aHigh = aScaled - (aScaled - a);
    const double aLow = a - aHigh;
    const double bScaled = splitter * b;
    const double bHigh = bScaled - (bScaled - b);
    const double bLow = b - bHigh;
    const double product = a * b;
    return {product, ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

inline DoubleDouble addDoubleDouble(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble high = twoSum(a.hi, b.hi);
    const DoubleDouble low = twoSum(a.lo, b.lo);
    const DoubleDouble partial = fastTwoSum(high.hi, high.lo + low.hi);
    return fastTwoSum(partial.hi, partial.lo + low.lo);
}

inline DoubleDouble multiplyDoubleDouble(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble product = twoProduct(a.hi, b.hi);
    return fastTwoSum(product.hi, product.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble divideDoubleDouble(DoubleDouble a, double divisor) {
    const double quotient = a.hi / divisor;
    const DoubleDouble back = twoProduct(quotient, divisor);
    const double remainder = ((a.hi - back.hi) - back.lo) + a.lo;
    return fastTwoSum(quotient, remainder / divisor);
}
