#include "util/correctlyRoundedSine.h"
#include "randomFloatArgument.h"
#include "util/doubleDouble.h"
#include "util/quadrantReduction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

struct Reference {
    const char* what;
    double x;
    double sine; // correctly rounded, from 1500-bit arithmetic
    double cosine;
};

const Reference references[] = {
    {"smallest above the shortcut", 0x1.8000000000000p-27, 0x1.8000000000000p-27,
     0x1.fffffffffffffp-1},
    {"just under a quarter turn", 0x1.921fb54442d17p-1, 0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bcdp-1},
    {"a quarter turn", 0x1.921fb54442d18p-1, 0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bcdp-1},
    {"half pi", 0x1.921fb54442d18p+0, 0x1.0000000000000p+0, 0x1.1a62633145c07p-54},
    {"pi", 0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53, -0x1.0000000000000p+0},
    {"one", 0x1.0000000000000p+0, 0x1.aed548f090ceep-1, 0x1.14a280fb5068cp-1},
    {"minus two", -0x1.0000000000000p+1, -0x1.d18f6ead1b446p-1, -0x1.aa22657537205p-2},
    {"ten", 0x1.4000000000000p+3, -0x1.1689ef5f34f52p-1, -0x1.ad9ac890c6b1fp-1},
    {"a scene argument", 0x1.f34e0e0000000p+9, -0x1.9e6c47660a10ap-2, 0x1.d432268ff3c79p-1},
    {"another scene argument", -0x1.05741e0000000p+12, 0x1.f2e623ca3d680p-1, 0x1.cc53b08a640a9p-3},
    {"near a multiple of pi/2", 0x1.16d0fc2ed4544p+9, -0x1.0000000000000p+0,
     -0x1.53cb37c6a9dcfp-45},
    {"close to the quick limit", 0x1.fffff00000000p+18, -0x1.4dcf4703b2914p-4,
     0x1.fe4c0176ab835p-1},
    {"past the quick limit", 0x1.0000100000000p+19, 0x1.3d4ebb04eb632p-1, 0x1.91d21d6b953d7p-1},
    {"1e22", 0x1.0f0cf064dd592p+73, -0x1.b453ab76bf397p-1, 0x1.0be2cef01c8f4p-1},
    {"2^1000", 0x1.0000000000000p+1000, -0x1.460b8ae1c886ep-3, 0x1.f9785160c8815p-1},
    {"largest double", 0x1.fffffffffffffp+1023, 0x1.452fc98b34e97p-8, -0x1.fffe62ecfab75p-1},
    {"closest double to a multiple of pi/2", 0x1.6ac5b262ca1ffp+849, 0x1.0000000000000p+0,
     -0x1.14ae72e6ba22fp-61},
    {"glibc misrounds", -0x1.6f74da0000000p+11, 0x1.8a541f951bff1p-1, 0x1.46924e577dc39p-1},
    {"glibc misrounds", 0x1.88d0ca0000000p+10, 0x1.cc1a2361cbb69p-2, 0x1.c9680299d485fp-1},
    {"glibc misrounds", 0x1.bf54b20000000p+10, -0x1.f722cd39ba22bp-1, 0x1.7b6f929ddef54p-3},
};

TEST(CorrectlyRoundedSine, MatchesCorrectlyRoundedReferences) {
    for (const Reference& reference : references) {
        EXPECT_EQ(correctlyRoundedSin(reference.x), reference.sine) << reference.what;
        EXPECT_EQ(correctlyRoundedCos(reference.x), reference.cosine) << reference.what;
        EXPECT_EQ(correctlyRoundedSin(-reference.x), -reference.sine) << reference.what;
        EXPECT_EQ(correctlyRoundedCos(-reference.x), reference.cosine) << reference.what;
    }
}

TEST(CorrectlyRoundedSine, ZerosTinyValuesAndNonFiniteArguments) {
    EXPECT_EQ(correctlyRoundedSin(0.0), 0.0);
    EXPECT_TRUE(std::signbit(correctlyRoundedSin(-0.0)));
    EXPECT_EQ(correctlyRoundedCos(-0.0), 1.0);
    EXPECT_EQ(correctlyRoundedSin(0x1p-40), 0x1p-40);
    EXPECT_EQ(correctlyRoundedSin(std::numeric_limits<double>::denorm_min()),
              std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(correctlyRoundedCos(0x1p-28), 1.0);
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(correctlyRoundedSin(infinity)));
    EXPECT_TRUE(std::isnan(correctlyRoundedCos(-infinity)));
    EXPECT_TRUE(std::isnan(correctlyRoundedSin(std::numeric_limits<double>::quiet_NaN())));
}

// Distance in ulps between two doubles of the same sign.
int64_t ulpsApart(double a, double b) {
    int64_t ia;
    int64_t ib;
    static_assert(sizeof ia == sizeof a, "doubles are 64 bits");
    std::memcpy(&ia, &a, sizeof a);
    std::memcpy(&ib, &b, sizeof b);
    return ia > ib ? ia - ib : ib - ia;
}

// The runtime's own sine is within an ulp of the true one; so must ours be of it, over the
// arguments the scene makes (floats up to a few thousand) and beyond the quick reduction.
TEST(CorrectlyRoundedSine, WithinAnUlpOfTheRuntimeEverywhere) {
    uint32_t state = 1;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        const double scale = std::ldexp(1.0, i % 24);
        const double x = (double)(float)((state / 4294967296.0 - 0.5) * scale);
        const double sine = correctlyRoundedSin(x);
        const double cosine = correctlyRoundedCos(x);
        if (std::signbit(sine) == std::signbit(std::sin(x))) {
            ASSERT_LE(ulpsApart(sine, std::sin(x)), 1) << x;
        } else {
            ASSERT_LT(std::fabs(sine), 1e-300) << x;
        }
        if (std::signbit(cosine) == std::signbit(std::cos(x))) {
            ASSERT_LE(ulpsApart(cosine, std::cos(x)), 1) << x;
        }
        ASSERT_LE(std::fabs(sine), 1.0);
        ASSERT_NEAR(sine * sine + cosine * cosine, 1.0, 1e-15) << x;
    }
}

TEST(QuadrantReduction, NearestMultipleOfAQuarterTurnAndWhatRemains) {
    const double pi = 0x1.921fb54442d18p+1; // just below the true pi
    QuadrantReduction reduction = reduceQuadrant(pi);
    EXPECT_EQ(reduction.quadrant, 2);
    EXPECT_DOUBLE_EQ(reduction.remainder.hi, -0x1.1a62633145c07p-53);

    reduction = reduceQuadrant(-pi);
    EXPECT_EQ(reduction.quadrant, 2);
    EXPECT_DOUBLE_EQ(reduction.remainder.hi, 0x1.1a62633145c07p-53);

    reduction = reduceQuadrant(3.0); // 2·(π/2) − 0.14159…
    EXPECT_EQ(reduction.quadrant, 2);
    EXPECT_NEAR(reduction.remainder.hi, 3.0 - 3.141592653589793, 1e-15);

    reduction = reduceQuadrant(-5.0); // −3·(π/2) − 0.28761…
    EXPECT_EQ(reduction.quadrant, 1);
    EXPECT_NEAR(reduction.remainder.hi, -5.0 + 4.71238898038469, 1e-15);

    reduction = reduceQuadrant(0.25); // nothing to take away
    EXPECT_EQ(reduction.quadrant, 0);
    EXPECT_EQ(reduction.remainder.hi, 0.25);
    EXPECT_EQ(reduction.remainder.lo, 0.0);
}

TEST(QuadrantReduction, RemainderStaysWithinAnEighthTurnForHugeArguments) {
    for (int exponent = 0; exponent <= 1023; exponent += 7) {
        const double x = std::ldexp(1.2345678901234567, exponent);
        const QuadrantReduction reduction = reduceQuadrant(x);
        ASSERT_LE(std::fabs(reduction.remainder.hi), 0x1.921fb54442d19p-1) << exponent;
        ASSERT_GE(reduction.quadrant, 0);
        ASSERT_LE(reduction.quadrant, 3);
    }
}

TEST(DoubleDouble, ProductsAndSumsAreExact) {
    const double a = 1.0 + 0x1p-30;
    const DoubleDouble square = twoProduct(a, a);
    EXPECT_EQ(square.hi, 1.0 + 0x1p-29);
    EXPECT_EQ(square.lo, 0x1p-60);

    const DoubleDouble sum = twoSum(0x1p-60, 1.0);
    EXPECT_EQ(sum.hi, 1.0);
    EXPECT_EQ(sum.lo, 0x1p-60);

    const DoubleDouble third = divideDoubleDouble({1.0, 0.0}, 3.0);
    const DoubleDouble back = multiplyDoubleDouble(third, {3.0, 0.0});
    EXPECT_EQ(back.hi, 1.0);
    EXPECT_LT(std::fabs(back.lo), 0x1p-100);
}

} // namespace

namespace {

// Debug builds check a sample; the release test build checks ten million arguments.
#ifdef NDEBUG
const int quickCheckArguments = 10000000;
#else
const int quickCheckArguments = 200000;
#endif

} // namespace

// The quick evaluation, alone and in batches, must round exactly as the exact route does:
// any wrong error bound or reduction shows up as a differing bit somewhere in this many.
TEST(CorrectlyRoundedSine, QuickAndBatchedRoutesEqualTheExactOne) {
    uint64_t state = 20020;
    double arguments[sineBatchLimit];
    double sines[sineBatchLimit];
    int large = 0;
    int batches = 0;
    for (int start = 0; start < quickCheckArguments; ++batches) {
        const int32_t count = 1 + batches % sineBatchLimit;
        for (int32_t i = 0; i < count; ++i) {
            arguments[i] = randomFloatArgument(&state, start + i);
            large += std::fabs(arguments[i]) >= 0x1p19 ? 1 : 0;
        }
        correctlyRoundedSines(arguments, sines, count);
        for (int32_t i = 0; i < count; ++i) {
            const double x = arguments[i];
            const double exact = exactlyRoundedSin(x);
            ASSERT_EQ(sines[i], exact) << std::hexfloat << x;
            ASSERT_EQ(correctlyRoundedSin(x), exact) << std::hexfloat << x;
            if (i % 4 == 0) {
                ASSERT_EQ(correctlyRoundedCos(x), exactlyRoundedCos(x)) << std::hexfloat << x;
            }
        }
        start += count;
    }
    EXPECT_GT(large, quickCheckArguments / 4) << "the large-argument reduction went unchecked";
}

TEST(CorrectlyRoundedSine, BatchesKeepShortcutsAndNonFiniteArguments) {
    const double arguments[6] = {0.0,
                                 -0.0,
                                 0x1p-40,
                                 std::numeric_limits<double>::infinity(),
                                 0x1.6ac5b262ca1ffp+849,
                                 0x1.16d0fc2ed4544p+9};
    double sines[6];
    correctlyRoundedSines(arguments, sines, 6);
    EXPECT_EQ(sines[0], 0.0);
    EXPECT_TRUE(std::signbit(sines[1]));
    EXPECT_EQ(sines[2], 0x1p-40);
    EXPECT_TRUE(std::isnan(sines[3]));
    EXPECT_EQ(sines[4], 0x1.0000000000000p+0);
    EXPECT_EQ(sines[5], -0x1.0000000000000p+0);
}

// Far from the origin, where the scene's arguments pass 2^19, the float reduction must agree
// with the general one, right up to the largest float.
TEST(QuadrantReduction, FloatReductionAgreesWithTheGeneralOne) {
    uint64_t state = 7;
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        const float f = randomFloatArgument(&state, 0);
        const double x = f;
        QuadrantReduction fast;
        if (!reduceQuadrantOfFloat(x, &fast)) {
            ASSERT_TRUE(std::fabs(x) < 1.0 || std::fabs(x) >= 0x1p128) << std::hexfloat << x;
            continue;
        }
        const QuadrantReduction general = reduceQuadrant(x);
        ASSERT_EQ(fast.quadrant, general.quadrant) << std::hexfloat << x;
        ASSERT_NEAR(fast.remainder.hi, general.remainder.hi, 0x1p-100) << std::hexfloat << x;
        ++checked;
    }
    EXPECT_GT(checked, 100000);
    QuadrantReduction largest;
    ASSERT_TRUE(reduceQuadrantOfFloat((double)std::numeric_limits<float>::max(), &largest));
    EXPECT_EQ(largest.quadrant, reduceQuadrant(std::numeric_limits<float>::max()).quadrant);
    QuadrantReduction notAFloat;
    EXPECT_FALSE(reduceQuadrantOfFloat(1.0 + 0x1p-40, &notAFloat));
    EXPECT_FALSE(reduceQuadrantOfFloat(0x1p128, &notAFloat));
    EXPECT_FALSE(reduceQuadrantOfFloat(0.5, &notAFloat));
}
