// Copies of strings into memory from malloc; the caller owns them and frees them.
#pragma once

#include <cstdint>

// Frees *target first; target must hold null or a string from malloc, and source must not be
// that string. Returns the length of source.
int32_t replaceString(char** target, const char* source);
// The same without freeing: the old value of *target is overwritten. Both give -1 and leave
// *target null when no memory can be had.
int32_t duplicateString(char** target, const char* source);
