#include "util/quickSine.h"
#include "randomFloatArgument.h"
#include "scalarQuickSine.h"
#include "util/correctlyRoundedSine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

#ifdef NDEBUG
const int32_t checkedArguments = 10000000;
#else
const int32_t checkedArguments = 200000;
#endif

// The bound is what the wave fields' rounding relies on: a reduction or a table entry off by a
// step, or a series term too few, shows up as an error far beyond it somewhere in this many.
TEST(QuickSine, EveryFloatIsWithinTheBoundOfTheTrueSine) {
    uint64_t state = 31;
    double arguments[61];
    double sines[61];
    double worst = 0;
    int32_t far = 0;
    for (int32_t done = 0; done < checkedArguments;) {
        const int32_t count = 1 + done % 61; // across the internal chunk's edge too
        for (int32_t i = 0; i < count; ++i) {
            arguments[i] = randomFloatArgument(&state, done + i);
            far += std::fabs(arguments[i]) >= 0x1p17 ? 1 : 0;
        }
        quickSines(arguments, sines, count);
        for (int32_t i = 0; i < count; ++i) {
            // The correctly rounded sine is itself within 2^-54 of the true one.
            const double error = std::fabs(sines[i] - correctlyRoundedSin(arguments[i]));
            ASSERT_LE(error, quickSineError - 0x1p-54) << std::hexfloat << arguments[i];
            worst = error > worst ? error : worst;
        }
        done += count;
    }
    EXPECT_GT(far, checkedArguments / 4) << "the far reduction went unchecked";
    // The analysis gives about 2^-52; a much larger worst case means the bound is thin.
    EXPECT_LE(worst, 0x1p-52);
}

// The vector code (SSE2 or AVX2, WebAssembly's 128-bit) rounds as the scalar code does, lane by
// lane, so the frames cannot depend on it: the same bits for every float, the chunk's uneven
// ends and the far reduction included.
TEST(QuickSine, VectorCodeGivesTheScalarCodesBits) {
    uint64_t state = 97;
    double arguments[67];
    double vector[67];
    double scalar[67];
    const int32_t compared = checkedArguments / 10 > 1000000 ? checkedArguments / 10 : 1000000;
    for (int32_t done = 0; done < compared;) {
        const int32_t count = 1 + done % 67;
        for (int32_t i = 0; i < count; ++i) {
            arguments[i] = randomFloatArgument(&state, done + i);
        }
        quickSines(arguments, vector, count);
        scalarQuickSines(arguments, scalar, count);
        ASSERT_EQ(std::memcmp(vector, scalar, sizeof(double) * count), 0) << done;
        done += count;
    }
}

TEST(QuickSine, StepEdgesSignsAndTinyArguments) {
    // Multiples of π/128 and the midpoints between them, where the step and its remainder
    // change, on both sides of zero; then zeros and tiny values.
    double arguments[64];
    int32_t count = 0;
    for (int32_t k = -15; k <= 15; ++k) {
        arguments[count++] = static_cast<float>(k * 0.0245436926061702597);
    }
    for (int32_t k = -15; k <= 15; ++k) {
        arguments[count++] = static_cast<float>((k + 0.5) * 0.0245436926061702597);
    }
    arguments[count++] = 0.0;
    arguments[count++] = 0x1p-149;
    double sines[64];
    quickSines(arguments, sines, count);
    for (int32_t i = 0; i < count; ++i) {
        EXPECT_LE(std::fabs(sines[i] - correctlyRoundedSin(arguments[i])), quickSineError)
            << std::hexfloat << arguments[i];
    }
    EXPECT_EQ(sines[count - 2], 0.0);
}

TEST(QuickSine, ArgumentsItDoesNotTakeGiveNaN) {
    const double arguments[6] = {std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(),
                                 0x1p17 + 0x1p-20, // beyond the quick range and not a float
                                 0x1p128,          // beyond every float
                                 0x1.fffffep127};  // the largest float: taken
    double sines[6];
    quickSines(arguments, sines, 6);
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(std::isnan(sines[i])) << i;
    }
    EXPECT_LE(std::fabs(sines[5] - correctlyRoundedSin(arguments[5])), quickSineError);
    // A double below the quick limit needs no float: it is reduced as it stands.
    const double inRange = 0x1.0000000000001p16;
    double sine;
    quickSines(&inRange, &sine, 1);
    EXPECT_LE(std::fabs(sine - correctlyRoundedSin(inRange)), quickSineError);
}

} // namespace
