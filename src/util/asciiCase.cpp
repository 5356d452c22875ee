#include "util/asciiCase.h"

// Results are the byte taken as a signed 8-bit value, as a char would be.
int32_t toLowerAscii(int32_t c) {
    uint8_t b = static_cast<uint8_t>(c);
    if (b >= 'A' && b <= 'Z') {
        b = static_cast<uint8_t>(b + 32);
    }
    return static_cast<int8_t>(b);
}

int32_t toUpperAscii(int32_t c) {
    uint8_t b = static_cast<uint8_t>(c);
    if (b >= 'a' && b <= 'z') {
        b = static_cast<uint8_t>(b - 32);
    }
    return static_cast<int8_t>(b);
}

int32_t byteToUnsigned(int32_t v) {
    return static_cast<uint8_t>(v);
}
