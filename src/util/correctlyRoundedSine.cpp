#include "util/correctlyRoundedSine.h"

#include "util/doubleDouble.h"
#include "util/quadrantReduction.h"

#include <cmath>
#include <cstdint>

namespace {

// π/2 in three parts; the first two have 33 bits, so k times either is exact for |k| < 2^20,
// and k times the third is below 2^-49, so its rounding stays under 2^-102.
const double halfPiPart1 = 0x1.921fb544p+0;
const double halfPiPart2 = 0x1.0b4611a6p-34;
const double halfPiPart3 = 0x1.3198a2e037073p-69;
const double twoOverPi = 0x1.45f306dc9c883p-1;
const double quarterPi = 0x1.921fb54442d18p-1;
// Below this the quick reduction's k stays under 2^19 and its error under 2^-100.
const double quickReductionLimit = 0x1p19;

// The quick evaluation's error, relative to its result, and the quick reduction's, absolute.
const double quickRelativeError = 0x1p-62;
const double quickReductionError = 0x1p-100;

// sin r and cos r for |r| up to a little over π/4 by their series, to about 2^-100.
DoubleDouble preciseSine(DoubleDouble r) {
    const DoubleDouble z = multiplyDoubleDouble(r, r);
    DoubleDouble term = {1.0, 0.0};
    for (int n = 14; n >= 1; --n) {
        const DoubleDouble step = divideDoubleDouble(multiplyDoubleDouble(z, term),
                                                     (double)(2 * n) * (double)(2 * n + 1));
        term = addDoubleDouble({1.0, 0.0}, {-step.hi, -step.lo});
    }
    return multiplyDoubleDouble(r, term);
}

DoubleDouble preciseCosine(DoubleDouble r) {
    const DoubleDouble z = multiplyDoubleDouble(r, r);
    DoubleDouble term = {1.0, 0.0};
    for (int n = 14; n >= 1; --n) {
        const DoubleDouble step = divideDoubleDouble(multiplyDoubleDouble(z, term),
                                                     (double)(2 * n - 1) * (double)(2 * n));
        term = addDoubleDouble({1.0, 0.0}, {-step.hi, -step.lo});
    }
    return term;
}

// sin and cos of j/64 for j = 0 .. 51, which covers [0, π/4] with room to spare.
const int tableSteps = 64;
const int tableEntries = 52;

struct SineTable {
    DoubleDouble sine[tableEntries];
    DoubleDouble cosine[tableEntries];
};

SineTable buildSineTable() {
    SineTable table;
    for (int j = 0; j < tableEntries; ++j) {
        const DoubleDouble a = {(double)j / tableSteps, 0.0};
        table.sine[j] = preciseSine(a);
        table.cosine[j] = preciseCosine(a);
    }
    return table;
}

// Built at start-up, so that no call pays for a first-use check.
const SineTable sineTableAtStart = buildSineTable();

const SineTable& sineTable() {
    return sineTableAtStart;
}

// sin (or cos) of r = hi + lo, 0 <= hi <= π/4 and a little, as a + u with a = j/64 from the
// table and |u| <= 1/128: sin(a + u) = S + C·u + C·(sin u − u) + S·(cos u − 1), and
// cos(a + u) = C − S·u − S·(sin u − u) + C·(cos u − 1), the two large terms exactly.
DoubleDouble quickSineOrCosine(double hi, double lo, bool cosine) {
    const SineTable& table = sineTable();
    const int j = (int)(hi * tableSteps + 0.5);
    const double u = hi - (double)j / tableSteps; // exact
    const double u2 = u * u;
    const double sineRest =
        u * u2 * (-1.0 / 6.0 + u2 * (1.0 / 120.0 + u2 * (-1.0 / 5040.0 + u2 * (1.0 / 362880.0))));
    const double cosineRest =
        -u * lo +
        u2 * (-0.5 + u2 * (1.0 / 24.0 +
                           u2 * (-1.0 / 720.0 + u2 * (1.0 / 40320.0 + u2 * (-1.0 / 3628800.0)))));
    const DoubleDouble s = table.sine[j];
    const DoubleDouble c = table.cosine[j];
    if (!cosine) {
        const DoubleDouble product = twoProduct(c.hi, u);
        const DoubleDouble sum = twoSum(s.hi, product.hi);
        const double rest =
            sum.lo +
            (product.lo + (s.lo + (c.lo * u + (c.hi * (lo + sineRest) + s.hi * cosineRest))));
        return fastTwoSum(sum.hi, rest);
    }
    const DoubleDouble product = twoProduct(s.hi, u);
    const DoubleDouble sum = twoSum(c.hi, -product.hi);
    const double rest =
        sum.lo +
        (-product.lo + (c.lo + (-(s.lo * u) + (c.hi * cosineRest - s.hi * (lo + sineRest)))));
    return fastTwoSum(sum.hi, rest);
}

// Quadrant n of x: sin x is sin r, cos r, −sin r, −cos r for n = 0, 1, 2, 3; cos x is sin of
// the next quadrant.
double roundedSineOrCosine(double x, bool cosineOfX) {
    if (!std::isfinite(x)) {
        return x - x;
    }
    const double magnitude = std::fabs(x);
    if (magnitude < 0x1p-27) { // sin x rounds to x, cos x to 1
        return cosineOfX ? 1.0 : x;
    }

    if (magnitude < quickReductionLimit) {
        const double k = (x * twoOverPi + 0x1.8p52) - 0x1.8p52;
        const double partial = x - k * halfPiPart1; // exact
        const DoubleDouble second = twoSum(partial, -(k * halfPiPart2));
        const DoubleDouble r = twoSum(second.hi, second.lo - k * halfPiPart3);

        const int quadrant = ((int)(int64_t)k + (cosineOfX ? 1 : 0)) & 3;
        const bool cosine = (quadrant & 1) != 0;
        const bool negative = r.hi < 0;
        const bool negate = ((quadrant & 2) != 0) != (negative && !cosine);
        const DoubleDouble value =
            quickSineOrCosine(negative ? -r.hi : r.hi, negative ? -r.lo : r.lo, cosine);
        // Accept the quick value only when every number within its error bound rounds the
        // same way.
        const double bound = quickRelativeError * value.hi + quickReductionError;
        const double high = value.hi + (value.lo + bound);
        const double low = value.hi + (value.lo - bound);
        if (high == low) {
            return negate ? -high : high;
        }
    }

    QuadrantReduction reduction = {{x, 0.0}, 0};
    if (magnitude > quarterPi) {
        reduction = reduceQuadrant(x);
    }
    const int quadrant = (reduction.quadrant + (cosineOfX ? 1 : 0)) & 3;
    const bool cosine = (quadrant & 1) != 0;
    const DoubleDouble r = reduction.remainder;
    const DoubleDouble value = cosine ? preciseCosine(r) : preciseSine(r);
    return (quadrant & 2) != 0 ? -value.hi : value.hi;
}

} // namespace

double correctlyRoundedSin(double x) {
    return roundedSineOrCosine(x, false);
}

double correctlyRoundedCos(double x) {
    return roundedSineOrCosine(x, true);
}
