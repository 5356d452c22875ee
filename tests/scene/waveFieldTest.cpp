#include "scene/waveField.h"
#include "sceneTestSupport.h"

#include <cmath>

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

} // namespace
