#include "scene/sceneParameters.h"
#include "platform/host/headless/headlessHost.h"
#include "sceneTestSupport.h"
#include "util/randomNumbers.h"
#include "util/runtimeRandom.h"

#include <cmath>
#include <cstring>

namespace {

class SceneParametersTest : public SceneTest {};

TEST_F(SceneParametersTest, InitDrawsEveryTableWithinItsRanges) {
    headlessSetTickCount(123456);
    initSceneParameters();
    for (const WaveField& f : sceneParameters.branchFields) {
        for (float freq : {f.freqX, f.freqY, f.freqZ}) {
            EXPECT_GE(freq, -0.06f);
            EXPECT_LE(freq, 0.06f);
        }
        for (float phase : {f.phaseX, f.phaseY, f.phaseZ}) {
            EXPECT_GE(phase, 0.0f);
            EXPECT_LE(phase, static_cast<float>(twoPi));
        }
    }
    const WaveField& c = sceneParameters.colourField;
    for (float freq : {c.freqX, c.freqY, c.freqZ}) {
        EXPECT_GE(freq, -0.025f);
        EXPECT_LE(freq, 0.025f);
    }
    for (const WaveField& f : sceneParameters.decisionFields) {
        for (float freq : {f.freqX, f.freqY, f.freqZ}) {
            EXPECT_GE(freq, 0.0f);
            EXPECT_LE(freq, 0.2f);
        }
        for (float phase : {f.phaseX, f.phaseY, f.phaseZ}) {
            EXPECT_EQ(phase, std::floor(phase));
            EXPECT_GE(phase, 0.0f);
            EXPECT_LE(phase, 9.0f);
        }
    }
}

TEST_F(SceneParametersTest, DecisionPhasesCoverAllWholeNumbersAcrossSeeds) {
    bool seen[10] = {};
    for (DWORD tick = 1; tick <= 20; ++tick) {
        headlessSetTickCount(tick * 7919);
        initSceneParameters();
        for (const WaveField& f : sceneParameters.decisionFields) {
            for (float phase : {f.phaseX, f.phaseY, f.phaseZ}) {
                ASSERT_GE(phase, 0.0f);
                ASSERT_LE(phase, 9.0f);
                seen[static_cast<int32_t>(phase)] = true;
            }
        }
    }
    for (int32_t i = 0; i < 10; ++i) {
        EXPECT_TRUE(seen[i]) << i;
    }
}

TEST_F(SceneParametersTest, TheTickCountAloneDecidesTheScene) {
    headlessSetTickCount(4242);
    initSceneParameters();
    const SceneParameters first = sceneParameters;
    std::memset(&sceneParameters, 0, sizeof sceneParameters);
    headlessSetTickCount(4242);
    initSceneParameters();
    EXPECT_EQ(std::memcmp(&first, &sceneParameters, sizeof first), 0);
    headlessSetTickCount(4243);
    initSceneParameters();
    EXPECT_NE(std::memcmp(&first, &sceneParameters, sizeof first), 0);
}

// Branch fields first (48 draws), then the colour field (6), then the decision fields; within
// a field the three frequencies before the three phases.
TEST_F(SceneParametersTest, DrawsFollowTheFixedOrder) {
    headlessSetTickCount(99);
    initSceneParameters();
    seedRuntimeRandom(99);
    EXPECT_EQ(sceneParameters.branchFields[0].freqX,
              static_cast<float>(randomUniform(0.12) - 0.06));
    EXPECT_EQ(sceneParameters.branchFields[0].freqY,
              static_cast<float>(randomUniform(0.12) - 0.06));
    EXPECT_EQ(sceneParameters.branchFields[0].freqZ,
              static_cast<float>(randomUniform(0.12) - 0.06));
    EXPECT_EQ(sceneParameters.branchFields[0].phaseX, static_cast<float>(randomUniform(twoPi)));
    for (int32_t i = 4; i < 48; ++i) {
        runtimeRandom();
    }
    EXPECT_EQ(sceneParameters.colourField.freqX, static_cast<float>(randomUniform(0.05) - 0.025));
    for (int32_t i = 1; i < 6; ++i) {
        runtimeRandom();
    }
    EXPECT_EQ(sceneParameters.decisionFields[0].freqX, static_cast<float>(randomUniform(0.2)));
    runtimeRandom();
    runtimeRandom();
    EXPECT_EQ(sceneParameters.decisionFields[0].phaseX, static_cast<float>(randomInt(10)));
    for (int32_t i = 4; i < 6 * 11 + 5; ++i) {
        runtimeRandom();
    }
    EXPECT_EQ(sceneParameters.decisionFields[11].phaseZ, static_cast<float>(randomInt(10)));
}

TEST_F(SceneParametersTest, DriftMovesOnlyBranchFieldsOneToFive) {
    const WaveField start{0.01f, 0.02f, 0.03f, 1.0f, 2.0f, 3.0f};
    setAllFields(start);
    driftWavePhases(0.002f);

    EXPECT_NEAR(sceneParameters.branchFields[1].phaseX, 1.0 + 0.002 * 0.378, 1e-6);
    EXPECT_NEAR(sceneParameters.branchFields[2].phaseY, 2.0 + 0.002 * 0.476, 1e-6);
    EXPECT_NEAR(sceneParameters.branchFields[5].phaseZ, 3.0 + 0.002 * 0.185, 1e-6);
    for (int32_t i = 1; i <= 5; ++i) {
        const WaveField& f = sceneParameters.branchFields[i];
        EXPECT_NE(f.phaseX, start.phaseX) << i;
        EXPECT_NE(f.phaseY, start.phaseY) << i;
        EXPECT_NE(f.phaseZ, start.phaseZ) << i;
        EXPECT_EQ(f.freqX, start.freqX);
        EXPECT_EQ(f.freqY, start.freqY);
        EXPECT_EQ(f.freqZ, start.freqZ);
    }
    for (int32_t i : {0, 6, 7}) {
        EXPECT_EQ(std::memcmp(&sceneParameters.branchFields[i], &start, sizeof start), 0) << i;
    }
    for (const WaveField& f : sceneParameters.decisionFields) {
        EXPECT_EQ(std::memcmp(&f, &start, sizeof start), 0);
    }
    EXPECT_EQ(std::memcmp(&sceneParameters.colourField, &start, sizeof start), 0);
}

// Each step is taken in double and rounded back, so tiny drifts still move a phase of 0 but
// are lost against a large phase; the phases are never wrapped.
TEST_F(SceneParametersTest, DriftAccumulatesInSinglePrecisionWithoutWrapping) {
    sceneParameters.branchFields[4].phaseY = 6.0f;
    for (int32_t frame = 0; frame < 10000; ++frame) {
        driftWavePhases(0.002f);
    }
    const float expected = 6.0f + 10000 * 0.002f * 0.952f;
    EXPECT_NEAR(sceneParameters.branchFields[4].phaseY, expected, 0.01);
    EXPECT_GT(sceneParameters.branchFields[4].phaseY, static_cast<float>(twoPi));

    sceneParameters.branchFields[3].phaseX = 0.0f;
    driftWavePhases(0.002f);
    EXPECT_EQ(sceneParameters.branchFields[3].phaseX,
              static_cast<float>(0.0 + 0.002f * std::fmod(3 * 0.378, 1.0)));
}

// The phase and its step meet in double, then round once; adding a float-rounded step to the
// float phase would round twice, which shows for some amounts.
TEST_F(SceneParametersTest, DriftStepIsAddedInDoubleAndRoundedOnce) {
    int32_t differsFromFloatSum = 0;
    for (int32_t i = 1; i <= 2000; ++i) {
        const float amount = 0.002f + static_cast<float>(i) * 1e-7f;
        sceneParameters.branchFields[4].phaseY = 1.0f;
        driftWavePhases(amount);
        const double step = amount * std::fmod(4 * 0.738, 1.0);
        ASSERT_EQ(sceneParameters.branchFields[4].phaseY, static_cast<float>(1.0f + step)) << i;
        if (1.0f + static_cast<float>(step) != static_cast<float>(1.0f + step)) {
            ++differsFromFloatSum;
        }
    }
    EXPECT_GT(differsFromFloatSum, 0);
}

} // namespace
