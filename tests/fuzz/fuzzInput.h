// Reading a fuzzer's bytes as the values a target needs; past the end every value is 0.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

struct FuzzInput {
    const uint8_t* data;
    size_t size;
};

inline uint8_t takeByte(FuzzInput* in) {
    if (in->size == 0) {
        return 0;
    }
    --in->size;
    return *in->data++;
}

inline uint32_t takeWord(FuzzInput* in) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = value << 8 | takeByte(in);
    }
    return value;
}

// Mostly small values near the edges of a small area, now and then any 32-bit value.
inline int32_t takeCoordinate(FuzzInput* in, int32_t span) {
    const uint8_t kind = takeByte(in);
    if (kind < 224) {
        return static_cast<int32_t>(takeByte(in) % (span + 16)) - 8;
    }
    if (kind < 240) {
        const int32_t edges[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX};
        return edges[takeByte(in) % 7];
    }
    return static_cast<int32_t>(takeWord(in));
}

// Positions in float, with the non-finite and far values that a scene can produce.
inline float takePosition(FuzzInput* in, int32_t span) {
    const uint8_t kind = takeByte(in);
    if (kind < 200) {
        return static_cast<float>(takeCoordinate(in, span)) + takeByte(in) / 256.0f;
    }
    if (kind < 230) {
        const float specials[] = {std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity(),
                                  std::numeric_limits<float>::max(),
                                  -std::numeric_limits<float>::max(),
                                  2147483648.0f,
                                  -2147483904.0f,
                                  4294967296.0f,
                                  1e-40f,
                                  -0.0f};
        return specials[takeByte(in) % 10];
    }
    const uint32_t bits = takeWord(in);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
