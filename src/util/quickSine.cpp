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
// π/128 in three parts; the first two have 29 significant bits, so k times either is exact for
// |k| < 2^24, which every reduction below keeps.
const double stepPart1 = 0x1.921fb54p-6;
const double stepPart2 = 0x1.10b4611p-36;
const double stepPart3 = 0x1.4c4c6628b80dcp-65;
const double quickLimit = 0x1p17;
// Adding then subtracting this rounds a double below 2^51 to a whole number.
const double roundingShift = 0x1.8p52;

struct StepTable {
    double sine[tableSize];
    double cosine[tableSize];
};

// sin and cos of k·π/128, each within 2^-53: the correctly rounded values at the double
// nearest the angle, moved by the angle's remainder along their slope. The exact route, whose
// own tables are constants, so that the order in which files are set up cannot matter.
StepTable buildStepTable() {
    StepTable table;
    const double stepHigh = 0x1.921fb54442d18p-6;
    const double stepLow = 0x1.1a62633145c07p-60; // π/128 − stepHigh
    for (int32_t k = 0; k < tableSize; ++k) {
        const DoubleDouble angle = twoProduct(static_cast<double>(k), stepHigh);
        const double remainder = angle.lo + static_cast<double>(k) * stepLow;
        const double sine = exactlyRoundedSin(angle.hi);
        const double cosine = exactlyRoundedCos(angle.hi);
        table.sine[k] = sine + cosine * remainder;
        table.cosine[k] = cosine - sine * remainder;
    }
    return table;
}

const StepTable stepTable = buildStepTable();

// Beyond quickLimit only floats are taken: x = m·2^e with a whole m below 2^24 and e from -6
// to 104. With 2^e = q·π/128 + ρ from a table by e, x is (m·q) steps and m·ρ, below 2^19,
// which is reduced as a near argument; ρ in three parts, the first two of 29 significant bits,
// keeps m times either exact.
const int32_t farExponentFirst = -6;
const int32_t farExponents = 111;

struct FarEntry {
    double part1;
    double part2;
    double part3;
    uint32_t steps; // q modulo 256
};

struct FarTable {
    FarEntry entry[farExponents];
};

double leading29Bits(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits &= ~((uint64_t(1) << 24) - 1);
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// From the general reduction of 2^e to a quarter turn, whose remainder is good to 2^-100 of
// itself, then to a step in double-double.
FarTable buildFarTable() {
    FarTable table;
    for (int32_t i = 0; i < farExponents; ++i) {
        const double power = std::ldexp(1.0, farExponentFirst + i);
        QuadrantReduction quarter = {{power, 0.0}, 0};
        if (power > 0.75) {
            quarter = reduceQuadrant(power);
        }
        const DoubleDouble r = quarter.remainder;
        const double k = (r.hi * stepsPerRadian + roundingShift) - roundingShift;
        DoubleDouble rho = addDoubleDouble(r, {-(k * stepPart1), 0.0});
        rho = addDoubleDouble(rho, {-(k * stepPart2), 0.0});
        rho = addDoubleDouble(rho, {-(k * stepPart3), 0.0});
        const double part1 = leading29Bits(rho.hi);
        const DoubleDouble rest = twoSum(rho.hi - part1, rho.lo);
        const double part2 = leading29Bits(rest.hi);
        const double part3 = (rest.hi - part2) + rest.lo;
        const int32_t steps = 64 * quarter.quadrant + static_cast<int32_t>(k);
        table.entry[i] = {part1, part2, part3, static_cast<uint32_t>(steps) & 255u};
    }
    return table;
}

const FarTable farTable = buildFarTable();

// x's step and remainder, or a NaN remainder when x is not a float from quickLimit to 2^128.
// Straight-line code: the test of x selects, it does not branch.
inline void farStep(double x, uint64_t* step, double* remainder) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const int32_t exponent = static_cast<int32_t>((bits >> 52) & 0x7FF) - 1023 - 23;
    const bool taken = (bits & ((uint64_t(1) << 29) - 1)) == 0 && exponent >= farExponentFirst &&
                       exponent < farExponentFirst + farExponents;
    const int32_t index = taken ? exponent - farExponentFirst : 0;
    const int64_t magnitude =
        static_cast<int64_t>(((bits & ((uint64_t(1) << 52) - 1)) | (uint64_t(1) << 52)) >> 29);
    const int64_t m = (bits >> 63) != 0 ? -magnitude : magnitude;
    const FarEntry& entry = farTable.entry[index];
    const double md = static_cast<double>(m);
    const double near = md * entry.part1;   // exact
    const double nearer = md * entry.part2; // exact
    const double shifted = (near + nearer) * stepsPerRadian + roundingShift;
    const double k = shifted - roundingShift;
    const double r =
        (((near - k * stepPart1) - k * stepPart2) + nearer) + (md * entry.part3 - k * stepPart3);
    uint64_t kBits;
    std::memcpy(&kBits, &shifted, sizeof kBits);
    *step = static_cast<uint64_t>(m) * entry.steps + kBits;
    *remainder = taken ? r : NAN;
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
                farStep(arguments[i], &step[i], &remainder[i]);
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
