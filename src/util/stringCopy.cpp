#include "util/stringCopy.h"

#include <cstdlib>
#include <cstring>

int32_t duplicateString(char** target, const char* source) {
    size_t length = std::strlen(source);
    *target = static_cast<char*>(std::malloc(length + 1));
    if (*target == nullptr) {
        return -1;
    }
    std::memcpy(*target, source, length + 1);
    return static_cast<int32_t>(length);
}

int32_t replaceString(char** target, const char* source) {
    std::free(*target);
    return duplicateString(target, source);
}
