#include "util/randomNumbers.h"
#include "util/runtimeRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

// The Windows C runtime's generator: these are its first values after srand(1).
TEST(RuntimeRandom, MatchesTheWindowsRuntimeSequence) {
    seedRuntimeRandom(1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169};
    for (int32_t value : expected) {
        EXPECT_EQ(runtimeRandom(), value);
    }
}

TEST(RuntimeRandom, StaysInFifteenBits) {
    seedRuntimeRandom(0xDEADBEEF);
    int32_t lowest = runtimeRandomMax;
    int32_t highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const int32_t value = runtimeRandom();
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 32767);
}

TEST(RuntimeRandom, SameSeedSameSequence) {
    seedRuntimeRandom(12345);
    const int32_t a = runtimeRandom();
    const int32_t b = runtimeRandom();
    seedRuntimeRandom(12345);
    EXPECT_EQ(runtimeRandom(), a);
    EXPECT_EQ(runtimeRandom(), b);
}

TEST(RandomNumbers, UniformIsTheDrawOver32767) {
    seedRuntimeRandom(1);
    EXPECT_EQ(randomUniform(2.0), 41 / 32767.0 * 2.0);
    EXPECT_EQ(randomUniform(1.0), 18467 / 32767.0);
}

TEST(RandomNumbers, IntegersCoverTheirRangeAndNoMore) {
    seedRuntimeRandom(7);
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(randomInt(1), 0);
    }
    std::set<int32_t> seen;
    for (int i = 0; i < 10000; ++i) {
        const int32_t value = randomInt(10);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 9);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 10u);
}

// The largest draw still lands on n - 1.
TEST(RandomNumbers, LargestDrawIsTheLastInteger) {
    EXPECT_EQ(static_cast<int32_t>(32767 / 32767.0 * (10 - 0.0001)), 9);
}

TEST(RandomNumbers, GaussianTakesTwoDrawsInOrder) {
    seedRuntimeRandom(99);
    const double u1 = runtimeRandom() / 32767.0;
    const double u2 = runtimeRandom() / 32767.0 * twoPi;
    const int32_t next = runtimeRandom();
    seedRuntimeRandom(99);
    EXPECT_DOUBLE_EQ(randomGaussian(), std::sqrt(-2.0 * std::log(u1)) * std::cos(u2));
    EXPECT_EQ(runtimeRandom(), next);
}

// A zero first draw must not give an infinite or NaN result. Find a seed whose first draw is
// zero by walking the generator.
TEST(RandomNumbers, GaussianIsFiniteWhenTheFirstDrawIsZero) {
    uint32_t seed = 0;
    for (;; ++seed) {
        seedRuntimeRandom(seed);
        if (runtimeRandom() == 0) {
            break;
        }
    }
    seedRuntimeRandom(seed);
    const double value = randomGaussian();
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_LE(std::fabs(value), std::sqrt(-2.0 * std::log(1.0 / 32767.0)));
}
