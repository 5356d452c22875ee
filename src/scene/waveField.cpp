#include "scene/waveField.h"

#include "record/displayState.h"
#include "util/correctlyRoundedSine.h"
#include "util/numeric.h"

#include <cmath>

float evaluateWave(const WaveField& field, float x, float y, float z) {
    const int32_t cx = display.screenWidth / 2;
    const int32_t cy = display.screenHeight / 2;
    // Each sine argument is formed in single precision; the sine itself is the double one,
    // correctly rounded so that every host gets the same bits, and the sum and scaling stay in
    // double until the final rounding.
    const float argumentX = (x - static_cast<float>(cx)) * field.freqX + field.phaseX;
    const float argumentY = (y - static_cast<float>(cy)) * field.freqY + field.phaseY;
    const float argumentZ = z * field.freqZ + field.phaseZ;
    const double s1 = correctlyRoundedSin(static_cast<double>(argumentX));
    const double s2 = correctlyRoundedSin(static_cast<double>(argumentY));
    const double s3 = correctlyRoundedSin(static_cast<double>(argumentZ));
    return static_cast<float>((s1 + s2 + s3) / 6.0 + 0.5);
}

int32_t quantiseWave(const WaveField& field, float x, float y, float z, int32_t n) {
    const float value = evaluateWave(field, x, y, z);
    return truncateToInt32(std::floor(static_cast<double>(value) * n));
}
