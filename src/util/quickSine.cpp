#include "util/quickSine.h"

#include "util/correctlyRoundedSine.h"
#include "util/doubleDouble.h"
#include "util/quadrantReduction.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// x = k·π/128 + r with |r| <= π/256, then sin x = sin(kπ/128)·cos r + cos(kπ/128)·sin r from a
// table of the 256 steps round the circle and short series in r. No branch depends on the
// argument in the common case, so the loops below become vector code.
const int32_t tableSize = 256;
const double stepsPerRadian = 0x1.45f306dc9c883p+5; // 128/π
// π/128 in three parts; the first two have 30 significant bits, so k times either is exact for
// |k| < 2^23, which every argument below quickLimit keeps.
const double stepPart1 = 0x1.921fb54p-6;
const double stepPart2 = 0x1.10b46118p-36;
const double stepPart3 = 0x1.313198a2e037p-67;
const double quickLimit = 0x1p17;
const double floatLimit = 0x1p128;
// Adding then subtracting this rounds a double below 2^51 to a whole number.
const double roundingShift = 0x1.8p52;

struct StepTable {
    double sine[tableSize];
    double cosine[tableSize];
};

// sin and cos of k·π/128, each within 2^-53: the correctly rounded values at the double
// nearest the angle, moved by the angle's remainder along their slope.
StepTable buildStepTable() {
    StepTable table;
    const double stepHigh = 0x1.921fb54442d18p-6;
    const double stepLow = 0x1.1a62633145c07p-60; // π/128 − stepHigh
    for (int32_t k = 0; k < tableSize; ++k) {
        const DoubleDouble angle = twoProduct(static_cast<double>(k), stepHigh);
        const double remainder = angle.lo + static_cast<double>(k) * stepLow;
        const double sine = correctlyRoundedSin(angle.hi);
        const double cosine = correctlyRoundedCos(angle.hi);
        table.sine[k] = sine + cosine * remainder;
        table.cosine[k] = cosine - sine * remainder;
    }
    return table;
}

const StepTable stepTable = buildStepTable();

// Beyond quickLimit: the float reduction to a quarter turn, then to a step. False when x is
// not a float of such a size.
bool farStep(double x, int32_t* step, double* remainder) {
    QuadrantReduction reduction;
    if (!(std::fabs(x) < floatLimit) || !reduceQuadrantOfFloat(x, &reduction)) {
        return false;
    }
    const DoubleDouble r = reduction.remainder; // |r| <= π/4: at most 32 steps
    const double k = (r.hi * stepsPerRadian + roundingShift) - roundingShift;
    *remainder = (((r.hi - k * stepPart1) - k * stepPart2) - k * stepPart3) + r.lo;
    *step = 64 * reduction.quadrant + static_cast<int32_t>(k);
    return true;
}

const int32_t chunk = 64;

// Where the loader picks a function's version by the processor (GNU ifunc), the loops get a
// 256-bit version too; any version gives a result within the bound, which is all callers use.
// Not under the sanitizers, whose start-up the resolver would run ahead of.
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__) && !defined(__clang__) &&       \
    !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define WITH_WIDER_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define WITH_WIDER_VECTORS
#endif

// Every argument goes through the quick reduction, those it does not suit too (their results
// are replaced afterwards), so that no loop but the table lookup has a branch: the step is read
// from the low bits of the shifted product rather than converted, which is defined for all.
WITH_WIDER_VECTORS void quickSinesOfChunk(const double* arguments, double* sines, int32_t count) {
    double remainder[chunk];
    uint64_t step[chunk];
    double tableSine[chunk];
    double tableCosine[chunk];
    for (int32_t i = 0; i < count; ++i) {
        const double x = arguments[i];
        const double shifted = x * stepsPerRadian + roundingShift;
        const double k = shifted - roundingShift;
        remainder[i] = ((x - k * stepPart1) - k * stepPart2) - k * stepPart3;
        std::memcpy(&step[i], &shifted, sizeof step[i]);
    }

    uint64_t outOfReach = 0;
    for (int32_t i = 0; i < count; ++i) {
        outOfReach |= std::fabs(arguments[i]) < quickLimit ? 0u : 1u;
    }
    if (outOfReach != 0) {
        for (int32_t i = 0; i < count; ++i) {
            if (!(std::fabs(arguments[i]) < quickLimit)) {
                int32_t farStepOf;
                if (!farStep(arguments[i], &farStepOf, &remainder[i])) {
                    farStepOf = 0;
                    remainder[i] = NAN;
                }
                step[i] = static_cast<uint64_t>(static_cast<int64_t>(farStepOf));
            }
        }
    }
    for (int32_t i = 0; i < count; ++i) {
        const uint64_t index = step[i] & (tableSize - 1);
        tableSine[i] = stepTable.sine[index];
        tableCosine[i] = stepTable.cosine[index];
    }
    for (int32_t i = 0; i < count; ++i) {
        // |r| <= π/256: the series' first omitted terms are below 2^-56 and 2^-65.
        const double r = remainder[i];
        const double rr = r * r;
        const double sineOfR = r + r * rr * (-1.0 / 6.0 + rr * (1.0 / 120.0));
        const double cosineOfRLessOne = rr * (-1.0 / 2.0 + rr * (1.0 / 24.0 + rr * (-1.0 / 720.0)));
        sines[i] = tableSine[i] + (tableCosine[i] * sineOfR + tableSine[i] * cosineOfRLessOne);
    }
}

} // namespace

void quickSines(const double* arguments, double* sines, int32_t count) {
    for (int32_t start = 0; start < count; start += chunk) {
        const int32_t size = count - start < chunk ? count - start : chunk;
        quickSinesOfChunk(arguments + start, sines + start, size);
    }
}
