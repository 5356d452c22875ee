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
// Every float argument lies below this; reduceQuadrantOfFloat covers them from 1 on.
const double floatReductionLimit = 0x1p128;

// The quick evaluation's error, relative to its result, and the reductions', absolute.
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

// Veltkamp's split: the high part keeps 26 significant bits, so the product of two high parts
// is exact.
const double splitter = 134217729.0; // 2^27 + 1

inline double highHalf(double v) {
    const double scaled = v * splitter;
    return scaled - (scaled - v);
}

// a + b·u for r = a + u, a = j/64 and |u| <= 1/128: sin(a + u) = S + C·u + C·(sin u − u) +
// S·(cos u − 1) with A = S, B = C, and cos(a + u) = C − S·u − S·(sin u − u) + C·(cos u − 1)
// with A = C, B = −S. B's high part has 26 bits, so that B·u's leading part is exact.
struct TableEntry {
    double aHi;
    double aLo;
    double bHi;
    double bLo;
};

// sin and cos of j/64 for j = 0 .. 51, which covers [0, π/4] with room to spare.
const int tableSteps = 64;
const int tableEntries = 52;

struct SineTable {
    TableEntry entry[2][tableEntries]; // [0] for a sine, [1] for a cosine
};

TableEntry tableEntry(DoubleDouble a, DoubleDouble b) {
    const double bHi = highHalf(b.hi);
    return {a.hi, a.lo, bHi, (b.hi - bHi) + b.lo};
}

SineTable buildSineTable() {
    SineTable table;
    for (int j = 0; j < tableEntries; ++j) {
        const DoubleDouble a = {(double)j / tableSteps, 0.0};
        const DoubleDouble s = preciseSine(a);
        const DoubleDouble c = preciseCosine(a);
        table.entry[0][j] = tableEntry(s, c);
        table.entry[1][j] = tableEntry(c, {-s.hi, -s.lo});
    }
    return table;
}

// Built at start-up, so that no call pays for a first-use check.
const SineTable sineTableAtStart = buildSineTable();

// What the quick evaluation needs of one argument once it is reduced: r = hi + lo with
// 0 <= hi <= π/4 and a little, the table entry and its j/64, and the sign of the result.
struct QuickInput {
    double hi;
    double lo;
    double tablePoint;
    TableEntry entry;
    bool negate;
};

// The two ends of the quick value's error interval; when they are equal, that is the
// correctly rounded sine or cosine of r.
struct QuickBounds {
    double high;
    double low;
};

// Straight-line arithmetic only, so that a loop of it becomes vector code.
inline QuickBounds quickBounds(double hi, double lo, double tablePoint, double aHi, double aLo,
                               double bHi, double bLo) {
    const double u = hi - tablePoint; // exact
    const double u1 = highHalf(u);
    const double u2 = u - u1;
    const double uu = u * u;
    const double sineRest =
        u * uu * (-1.0 / 6.0 + uu * (1.0 / 120.0 + uu * (-1.0 / 5040.0 + uu * (1.0 / 362880.0))));
    const double cosineRest =
        -u * lo +
        uu * (-0.5 + uu * (1.0 / 24.0 +
                           uu * (-1.0 / 720.0 + uu * (1.0 / 40320.0 + uu * (-1.0 / 3628800.0)))));
    const double b = bHi + bLo;      // the small terms want all of B
    const double product = bHi * u1; // exact
    const DoubleDouble sum = twoSum(aHi, product);
    const double rest =
        sum.lo + (aLo + (bHi * u2 + (bLo * u + (b * (lo + sineRest) + aHi * cosineRest))));
    const DoubleDouble value = fastTwoSum(sum.hi, rest);
    // Every number within the error bound must round the same way.
    const double bound = quickRelativeError * value.hi + quickReductionError;
    return {value.hi + (value.lo + bound), value.hi + (value.lo - bound)};
}

// Quadrant n of x: sin x is sin r, cos r, −sin r, −cos r for n = 0, 1, 2, 3; cos x is sin of
// the next quadrant.
QuickInput quickInput(DoubleDouble r, int quadrant) {
    const bool cosine = (quadrant & 1) != 0;
    const bool negative = r.hi < 0;
    const double hi = negative ? -r.hi : r.hi;
    const int j = (int)(hi * tableSteps + 0.5);
    return {hi, negative ? -r.lo : r.lo, (double)j / tableSteps,
            sineTableAtStart.entry[cosine ? 1 : 0][j],
            ((quadrant & 2) != 0) != (negative && !cosine)};
}

// The reduction for the quick evaluation: false when x needs the exact route.
bool quickReduction(double x, bool cosineOfX, QuickInput* input) {
    const double magnitude = std::fabs(x);
    if (magnitude < quickReductionLimit) {
        const double k = (x * twoOverPi + 0x1.8p52) - 0x1.8p52;
        const double partial = x - k * halfPiPart1; // exact
        const DoubleDouble second = twoSum(partial, -(k * halfPiPart2));
        const DoubleDouble r = twoSum(second.hi, second.lo - k * halfPiPart3);
        *input = quickInput(r, ((int)(int64_t)k + (cosineOfX ? 1 : 0)) & 3);
        return true;
    }
    QuadrantReduction reduction;
    if (magnitude < floatReductionLimit && reduceQuadrantOfFloat(x, &reduction)) {
        *input = quickInput(reduction.remainder, (reduction.quadrant + (cosineOfX ? 1 : 0)) & 3);
        return true;
    }
    return false;
}

// The exact route: Payne and Hanek's reduction and the series in double-double.
double exactSineOrCosine(double x, bool cosineOfX) {
    QuadrantReduction reduction = {{x, 0.0}, 0};
    if (std::fabs(x) > quarterPi) {
        reduction = reduceQuadrant(x);
    }
    const int quadrant = (reduction.quadrant + (cosineOfX ? 1 : 0)) & 3;
    const bool cosine = (quadrant & 1) != 0;
    const DoubleDouble r = reduction.remainder;
    const DoubleDouble value = cosine ? preciseCosine(r) : preciseSine(r);
    return (quadrant & 2) != 0 ? -value.hi : value.hi;
}

// Non-finite arguments and those so small that the answer is x or 1.
bool shortcut(double x, bool cosineOfX, double* result) {
    if (!std::isfinite(x)) {
        *result = x - x;
        return true;
    }
    if (std::fabs(x) < 0x1p-27) { // sin x rounds to x, cos x to 1
        *result = cosineOfX ? 1.0 : x;
        return true;
    }
    return false;
}

double roundedSineOrCosine(double x, bool cosineOfX) {
    double result;
    if (shortcut(x, cosineOfX, &result)) {
        return result;
    }
    QuickInput in;
    if (quickReduction(x, cosineOfX, &in)) {
        const QuickBounds bounds = quickBounds(in.hi, in.lo, in.tablePoint, in.entry.aHi,
                                               in.entry.aLo, in.entry.bHi, in.entry.bLo);
        if (bounds.high == bounds.low) {
            return in.negate ? -bounds.high : bounds.high;
        }
    }
    return exactSineOrCosine(x, cosineOfX);
}

} // namespace

double correctlyRoundedSin(double x) {
    return roundedSineOrCosine(x, false);
}

double correctlyRoundedCos(double x) {
    return roundedSineOrCosine(x, true);
}

void correctlyRoundedSines(const double* arguments, double* sines, int32_t count) {
    // Loops of straight-line arithmetic, which the compiler turns into vector code, around one
    // of the rest: the quick reduction is made for every argument, the few it does not suit
    // are sorted out one by one along with the table lookup (a gather), then every quick
    // value is evaluated and checked.
    double hi[sineBatchLimit];
    double lo[sineBatchLimit];
    double turns[sineBatchLimit];
    double tablePoint[sineBatchLimit];
    double aHi[sineBatchLimit];
    double aLo[sineBatchLimit];
    double bHi[sineBatchLimit];
    double bLo[sineBatchLimit];
    double high[sineBatchLimit];
    double low[sineBatchLimit];
    bool negate[sineBatchLimit];
    bool quick[sineBatchLimit];
    bool settled[sineBatchLimit];
    for (int32_t i = 0; i < count; ++i) {
        const double x = arguments[i];
        const double k = (x * twoOverPi + 0x1.8p52) - 0x1.8p52;
        const double partial = x - k * halfPiPart1; // exact where this reduction is used
        const DoubleDouble second = twoSum(partial, -(k * halfPiPart2));
        const DoubleDouble r = twoSum(second.hi, second.lo - k * halfPiPart3);
        hi[i] = r.hi;
        lo[i] = r.lo;
        turns[i] = k;
    }
    for (int32_t i = 0; i < count; ++i) {
        const double x = arguments[i];
        const double magnitude = std::fabs(x);
        int quadrant = 0;
        DoubleDouble r = {hi[i], lo[i]};
        settled[i] = false;
        quick[i] = true;
        if (magnitude >= 0x1p-27 && magnitude < quickReductionLimit) {
            quadrant = (int)turns[i] & 3;
        } else {
            QuadrantReduction reduction;
            if (shortcut(x, false, &sines[i])) {
                settled[i] = true;
                quick[i] = false;
            } else if (magnitude < floatReductionLimit && reduceQuadrantOfFloat(x, &reduction)) {
                r = reduction.remainder;
                quadrant = reduction.quadrant;
            } else {
                quick[i] = false;
            }
            if (!quick[i]) {
                r = {0.0, 0.0};
            }
        }
        const QuickInput in = quickInput(r, quadrant);
        hi[i] = in.hi;
        lo[i] = in.lo;
        tablePoint[i] = in.tablePoint;
        aHi[i] = in.entry.aHi;
        aLo[i] = in.entry.aLo;
        bHi[i] = in.entry.bHi;
        bLo[i] = in.entry.bLo;
        negate[i] = in.negate;
    }
    for (int32_t i = 0; i < count; ++i) {
        const QuickBounds bounds =
            quickBounds(hi[i], lo[i], tablePoint[i], aHi[i], aLo[i], bHi[i], bLo[i]);
        high[i] = bounds.high;
        low[i] = bounds.low;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (quick[i] && high[i] == low[i]) {
            sines[i] = negate[i] ? -high[i] : high[i];
        } else if (!settled[i]) {
            sines[i] = exactSineOrCosine(arguments[i], false);
        }
    }
}

double exactlyRoundedSin(double x) {
    double result;
    return shortcut(x, false, &result) ? result : exactSineOrCosine(x, false);
}

double exactlyRoundedCos(double x) {
    double result;
    return shortcut(x, true, &result) ? result : exactSineOrCosine(x, true);
}
