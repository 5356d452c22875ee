#include "scene/sceneParameters.h"

#include "platform/win32.h"
#include "util/randomNumbers.h"
#include "util/runtimeRandom.h"

#include <cmath>

SceneParameters sceneParameters;
uint32_t sceneSeed = 0;

// The draws are taken in the field order, frequencies before phases; every value is drawn in
// double and stored rounded to single precision.
static void drawCentredField(WaveField* field, double frequencySpan, double halfSpan) {
    field->freqX = static_cast<float>(randomUniform(frequencySpan) - halfSpan);
    field->freqY = static_cast<float>(randomUniform(frequencySpan) - halfSpan);
    field->freqZ = static_cast<float>(randomUniform(frequencySpan) - halfSpan);
    field->phaseX = static_cast<float>(randomUniform(twoPi));
    field->phaseY = static_cast<float>(randomUniform(twoPi));
    field->phaseZ = static_cast<float>(randomUniform(twoPi));
}

// Decision fields oscillate only forward and start on a whole number of radians.
static void drawDecisionField(WaveField* field) {
    field->freqX = static_cast<float>(randomUniform(0.2));
    field->freqY = static_cast<float>(randomUniform(0.2));
    field->freqZ = static_cast<float>(randomUniform(0.2));
    field->phaseX = static_cast<float>(randomInt(10));
    field->phaseY = static_cast<float>(randomInt(10));
    field->phaseZ = static_cast<float>(randomInt(10));
}

void initSceneParameters() {
    sceneSeed = GetTickCount();
    seedRuntimeRandom(sceneSeed);
    for (WaveField& field : sceneParameters.branchFields) {
        drawCentredField(&field, 0.12, 0.06);
    }
    drawCentredField(&sceneParameters.colourField, 0.05, 0.025);
    for (WaveField& field : sceneParameters.decisionFields) {
        drawDecisionField(&field);
    }
}

void driftWavePhases(float amount) {
    for (int32_t i = 0; i <= 5; ++i) {
        WaveField& field = sceneParameters.branchFields[i];
        // The factors are doubles, so each step is taken in double and the phase rounded
        // back to single precision.
        field.phaseX = static_cast<float>(field.phaseX + amount * std::fmod(i * 0.378, 1.0));
        field.phaseY = static_cast<float>(field.phaseY + amount * std::fmod(i * 0.738, 1.0));
        field.phaseZ = static_cast<float>(field.phaseZ + amount * std::fmod(i * 0.837, 1.0));
    }
}
