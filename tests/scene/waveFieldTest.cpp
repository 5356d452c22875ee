#include "scene/waveField.h"
#include "sceneTestSupport.h"

#include "util/correctlyRoundedSine.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

class WaveFieldTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        display.screenWidth = 800;
        display.screenHeight = 600;
    }
};

TEST_F(WaveFieldTest, ZeroFieldIsOneHalfEverywhereAndQuantisesToTheMiddle) {
    const WaveField zero = halfField();
    EXPECT_EQ(evaluateWave(zero, 0.0f, 0.0f, 0.0f), 0.5f);
    EXPECT_EQ(evaluateWave(zero, -1234.5f, 77.25f, 9000.0f), 0.5f);
    EXPECT_EQ(quantiseWave(zero, 3.0f, 4.0f, 5.0f, 1), 0);
    EXPECT_EQ(quantiseWave(zero, 3.0f, 4.0f, 5.0f, 2), 1);
    EXPECT_EQ(quantiseWave(zero, 3.0f, 4.0f, 5.0f, 3), 1);
    EXPECT_EQ(quantiseWave(zero, 3.0f, 4.0f, 5.0f, 4), 2);
    EXPECT_EQ(quantiseWave(zero, 3.0f, 4.0f, 5.0f, 5), 2);
    EXPECT_EQ(quantiseWave(zero, 3.0f, 4.0f, 5.0f, 8), 4);
}

TEST_F(WaveFieldTest, PeakReachesExactlyOneAndQuantisesToN) {
    const WaveField peak = peakField();
    EXPECT_EQ(evaluateWave(peak, 10.0f, 20.0f, 30.0f), 1.0f);
    EXPECT_EQ(quantiseWave(peak, 10.0f, 20.0f, 30.0f, 2), 2);
    EXPECT_EQ(quantiseWave(peak, 10.0f, 20.0f, 30.0f, 3), 3);
}

TEST_F(WaveFieldTest, TroughIsNearZeroAndAlwaysQuantisesToZero) {
    const WaveField trough = troughField();
    const float value = evaluateWave(trough, 10.0f, 20.0f, 30.0f);
    EXPECT_GE(value, 0.0f);
    EXPECT_LT(value, 0.000001f);
    for (int32_t n = 1; n <= 16; ++n) {
        EXPECT_EQ(quantiseWave(trough, 10.0f, 20.0f, 30.0f, n), 0) << n;
    }
}

TEST_F(WaveFieldTest, XAndYTermsAreCentredOnTheScreenButZIsNot) {
    const WaveField field{0.3f, -0.7f, 0.9f, 0.25f, 1.5f, -2.0f};
    const float expected = static_cast<float>((std::sin(static_cast<double>(0.25f)) +
                                               std::sin(static_cast<double>(1.5f)) +
                                               std::sin(static_cast<double>(-2.0f))) /
                                                  6.0 +
                                              0.5);
    EXPECT_EQ(evaluateWave(field, 400.0f, 300.0f, 0.0f), expected);
    // Odd sizes: the centre is the truncated half.
    display.screenWidth = 801;
    display.screenHeight = 599;
    EXPECT_EQ(evaluateWave(field, 400.0f, 299.0f, 0.0f), expected);
    // Moving z away from 0 changes the value even at the screen centre.
    EXPECT_NE(evaluateWave(field, 400.0f, 299.0f, 1.0f), expected);
}

// The sine arguments are rounded to float before the double sine; the sum stays in double.
// Arguments chosen so that a double argument or a float sine gives another result.
TEST_F(WaveFieldTest, ArgumentsAreSinglePrecisionAndSinesDouble) {
    const WaveField field{0.0123f, 0.0457f, 0.0311f, 5.1f, 0.7f, 3.3f};
    int32_t differsFromDoubleArguments = 0;
    for (int32_t i = 0; i < 200; ++i) {
        const float x = 1000.3f + 7.77f * static_cast<float>(i);
        const float y = -433.1f + 3.1f * static_cast<float>(i);
        const float z = 123.456f * static_cast<float>(i);
        volatile float ax = (x - 400.0f) * field.freqX + field.phaseX;
        volatile float ay = (y - 300.0f) * field.freqY + field.phaseY;
        volatile float az = z * field.freqZ + field.phaseZ;
        const float expected = static_cast<float>((std::sin(static_cast<double>(ax)) +
                                                   std::sin(static_cast<double>(ay)) +
                                                   std::sin(static_cast<double>(az))) /
                                                      6.0 +
                                                  0.5);
        ASSERT_EQ(evaluateWave(field, x, y, z), expected) << i;
        const double wide =
            (std::sin((static_cast<double>(x) - 400.0) * field.freqX + field.phaseX) +
             std::sin((static_cast<double>(y) - 300.0) * field.freqY + field.phaseY) +
             std::sin(static_cast<double>(z) * field.freqZ + field.phaseZ)) /
                6.0 +
            0.5;
        if (static_cast<float>(wide) != expected) {
            ++differsFromDoubleArguments;
        }
    }
    // The points do tell the two precisions apart.
    EXPECT_GT(differsFromDoubleArguments, 0);
}

TEST_F(WaveFieldTest, QuantiseSplitsTheRangeAtMultiplesOfOneOverN) {
    // Just below and just above a quarter.
    const WaveField below = constantField(0.2499);
    const WaveField above = constantField(0.2501);
    EXPECT_EQ(quantiseWave(below, 0.0f, 0.0f, 0.0f, 4), 0);
    EXPECT_EQ(quantiseWave(above, 0.0f, 0.0f, 0.0f, 4), 1);
    const WaveField nearTop = constantField(0.9999);
    EXPECT_EQ(quantiseWave(nearTop, 0.0f, 0.0f, 0.0f, 8), 7);
    EXPECT_EQ(quantiseWave(nearTop, 0.0f, 0.0f, 0.0f, 2), 1);
}

TEST_F(WaveFieldTest, ValuesStayWithinTheUnitRange) {
    const WaveField field{0.05f, -0.04f, 0.03f, 1.0f, 2.0f, 3.0f};
    for (int32_t i = 0; i < 1000; ++i) {
        const float v = evaluateWave(field, static_cast<float>(i * 13 % 977),
                                     static_cast<float>(i * 7 % 613), static_cast<float>(i));
        ASSERT_GE(v, 0.0f);
        ASSERT_LE(v, 1.0f);
    }
}

// What a field's value is by definition: the three correctly rounded sines summed in double.
float referenceValue(const WaveField& field, float x, float y, float z) {
    const float ax = (x - 400.0f) * field.freqX + field.phaseX;
    const float ay = (y - 300.0f) * field.freqY + field.phaseY;
    const float az = z * field.freqZ + field.phaseZ;
    return static_cast<float>(
        (correctlyRoundedSin(ax) + correctlyRoundedSin(ay) + correctlyRoundedSin(az)) / 6.0 + 0.5);
}

uint32_t nextDraw(uint32_t* state) {
    *state = *state * 1664525u + 1013904223u;
    return *state;
}

float drawBetween(uint32_t* state, float low, float high) {
    return low + (high - low) * static_cast<float>(nextDraw(state) >> 8) * 0x1p-24f;
}

#ifdef NDEBUG
const int32_t checkedFields = 10000000;
#else
const int32_t checkedFields = 100000;
#endif

// The values come from quick sines with an error bound, the correctly rounded ones taken only
// where the bound leaves the float open: alone and in batches, near the origin and far from
// it, every value must be the one of the definition.
TEST_F(WaveFieldTest, QuickValuesAreTheCorrectlyRoundedOnes) {
    uint32_t state = 20020;
    WaveField fields[waveBatchLimit];
    const WaveField* batch[waveBatchLimit];
    float values[waveBatchLimit];
    for (int32_t done = 0; done < checkedFields;) {
        const int32_t count = 1 + done % waveBatchLimit;
        // One point in eight lies on a camera flown far away.
        const float reach = nextDraw(&state) % 8 == 0 ? 1e9f : 3000.0f;
        const float x = drawBetween(&state, -reach, reach);
        const float y = drawBetween(&state, -reach, reach);
        const float z = drawBetween(&state, -reach, reach);
        for (int32_t i = 0; i < count; ++i) {
            fields[i] = {drawBetween(&state, -0.2f, 0.2f), drawBetween(&state, -0.2f, 0.2f),
                         drawBetween(&state, -0.2f, 0.2f), drawBetween(&state, 0.0f, 6.3f),
                         drawBetween(&state, 0.0f, 6.3f),  drawBetween(&state, 0.0f, 6.3f)};
            batch[i] = &fields[i];
        }
        evaluateWaves(batch, count, x, y, z, values);
        for (int32_t i = 0; i < count; ++i) {
            const float expected = referenceValue(fields[i], x, y, z);
            ASSERT_EQ(values[i], expected) << done << " " << i;
            if (i == 0) {
                ASSERT_EQ(evaluateWave(fields[i], x, y, z), expected) << done;
            }
        }
        done += count;
    }
}

// Values whose quick sum lies within the bound of a rounding boundary between two floats, and
// an argument beyond every quick reduction: these take the correctly rounded sines.
TEST_F(WaveFieldTest, ValuesNearARoundingBoundaryOrOutOfReachAreStillExact) {
    const WaveField nearBoundary[4] = {
        {0.0f, 0.0f, 0.0f, 0x1.53e8f4p+0f, 0x1.6ec45ep+1f, 0x1.7da6p+2f},
        {0.0f, 0.0f, 0.0f, 0x1.f0dfcep+1f, 0x1.7e591ap+1f, 0x1.35644ep+1f},
        {0.0f, 0.0f, 0.0f, 0x1.362956p+1f, 0x1.18b40ap+0f, 0x1.4011e2p+1f},
        {0.0f, 0.0f, 0.0f, 0x1.f05f4ep+1f, 0x1.d8ed0cp+1f, 0x1.9eccc8p+1f},
    };
    for (const WaveField& field : nearBoundary) {
        EXPECT_EQ(evaluateWave(field, 400.0f, 300.0f, 0.0f),
                  referenceValue(field, 400.0f, 300.0f, 0.0f));
    }
    const WaveField steep{0.0f, 0.0f, 1.0f, 0.5f, 0.5f, 0.0f};
    const float infinite = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(std::isnan(evaluateWave(steep, 400.0f, 300.0f, infinite)));
    EXPECT_EQ(evaluateWave(steep, 400.0f, 300.0f, 3e38f),
              referenceValue(steep, 400.0f, 300.0f, 3e38f));
}

} // namespace
