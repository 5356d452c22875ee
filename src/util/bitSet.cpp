#include "util/bitSet.h"

void setBit(uint8_t* bits, int32_t index, int32_t value) {
    uint8_t mask = static_cast<uint8_t>(1u << (index % 8));
    if (value != 0) {
        bits[index / 8] |= mask;
    } else {
        bits[index / 8] &= static_cast<uint8_t>(~mask);
    }
}

int32_t testBit(const uint8_t* bits, int32_t index) {
    return (bits[index / 8] >> (index % 8)) & 1;
}
