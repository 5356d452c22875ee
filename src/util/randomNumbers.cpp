#include "util/randomNumbers.h"

#include "util/correctlyRoundedSine.h"
#include "util/runtimeRandom.h"

#include <cmath>

double randomUniform(double scale) {
    return runtimeRandom() / 32767.0 * scale;
}

int32_t randomInt(int32_t n) {
    return static_cast<int32_t>(randomUniform(n - 0.0001));
}

double randomGaussian() {
    double u1 = randomUniform(1.0);
    double u2 = randomUniform(twoPi);
    // A draw of 0 would take the logarithm of 0; the smallest non-zero draw stands in for it,
    // which keeps the result finite and the number of draws per call at two.
    if (u1 == 0.0) {
        u1 = 1.0 / 32767.0;
    }
    return std::sqrt(-2.0 * std::log(u1)) * correctlyRoundedCos(u2);
}
