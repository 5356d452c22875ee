// Bit sets in byte arrays: bit i is bit i mod 8 of byte i / 8, least significant first.
#pragma once

#include <cstdint>

void setBit(uint8_t* bits, int32_t index, int32_t value);
int32_t testBit(const uint8_t* bits, int32_t index);
