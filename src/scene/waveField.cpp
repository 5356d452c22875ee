#include "scene/waveField.h"

#include "record/displayState.h"
#include "util/correctlyRoundedSine.h"
#include "util/numeric.h"
#include "util/quickSine.h"

#include <cmath>

namespace {

// Each sine argument is formed in single precision; the sine itself is the double one,
// correctly rounded so that every host gets the same bits, and the sum and scaling stay in
// double until the final rounding.
inline void waveArguments(const WaveField& field, float x, float y, float z, double* arguments) {
    const int32_t cx = display.screenWidth / 2;
    const int32_t cy = display.screenHeight / 2;
    const float argumentX = (x - static_cast<float>(cx)) * field.freqX + field.phaseX;
    const float argumentY = (y - static_cast<float>(cy)) * field.freqY + field.phaseY;
    const float argumentZ = z * field.freqZ + field.phaseZ;
    arguments[0] = static_cast<double>(argumentX);
    arguments[1] = static_cast<double>(argumentY);
    arguments[2] = static_cast<double>(argumentZ);
}

inline float waveValue(const double* sines) {
    return static_cast<float>((sines[0] + sines[1] + sines[2]) / 6.0 + 0.5);
}

// The value from sines each within quickSineError differs from the one from correctly rounded
// sines by less than 2^-49 (the bound on each sine, shared three ways, plus the differing
// roundings of the sum, the division and the addition); where every double this far either
// side rounds to one float, that float is the value. Otherwise (some 2^-19 of fields, or an
// argument the quick sines do not take) the sines are taken correctly rounded.
const double quickValueSlack = 0x1p-44;

inline float settledValue(const double* arguments, const double* quick) {
    const double value = (quick[0] + quick[1] + quick[2]) / 6.0 + 0.5;
    const float low = static_cast<float>(value - quickValueSlack);
    const float high = static_cast<float>(value + quickValueSlack);
    if (low == high) {
        return low;
    }
    double sines[3];
    correctlyRoundedSines(arguments, sines, 3);
    return waveValue(sines);
}

} // namespace

float evaluateWave(const WaveField& field, float x, float y, float z) {
    double arguments[3];
    double sines[3];
    waveArguments(field, x, y, z, arguments);
    quickSines(arguments, sines, 3);
    return settledValue(arguments, sines);
}

void evaluateWaves(const WaveField* const* fields, int32_t count, float x, float y, float z,
                   float* values) {
    if (count <= 0 || count > waveBatchLimit) {
        return;
    }
    double arguments[3 * waveBatchLimit];
    double sines[3 * waveBatchLimit];
    for (int32_t i = 0; i < count; ++i) {
        waveArguments(*fields[i], x, y, z, &arguments[3 * i]);
    }
    quickSines(arguments, sines, 3 * count);
    for (int32_t i = 0; i < count; ++i) {
        values[i] = settledValue(&arguments[3 * i], &sines[3 * i]);
    }
}

int32_t quantiseWaveValue(float value, int32_t n) {
    return truncateToInt32(std::floor(static_cast<double>(value) * n));
}

int32_t quantiseWave(const WaveField& field, float x, float y, float z, int32_t n) {
    return quantiseWaveValue(evaluateWave(field, x, y, z), n);
}
