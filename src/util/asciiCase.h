// ASCII case changes on the low byte of a character code; other bytes pass unchanged.
#pragma once

#include <cstdint>

int32_t toLowerAscii(int32_t c);
int32_t toUpperAscii(int32_t c);
// The low byte as 0 to 255.
int32_t byteToUnsigned(int32_t v);
