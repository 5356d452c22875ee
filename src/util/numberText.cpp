#include "util/numberText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int digitValue(char c, int base) {
    int value = 99;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// The whole rest of the text as digits of base: false when it is empty, holds anything else or
// exceeds 64 bits.
bool readDigits(const char* text, int base, uint64_t* value) {
    if (*text == '\0') {
        return false;
    }
    uint64_t magnitude = 0;
    const uint64_t largest = ~uint64_t{0};
    for (const char* at = text; *at != '\0'; ++at) {
        const int digit = digitValue(*at, base);
        if (digit < 0) {
            return false;
        }
        const uint64_t d = static_cast<uint64_t>(digit);
        if (magnitude > (largest - d) / static_cast<uint64_t>(base)) {
            return false;
        }
        magnitude = magnitude * static_cast<uint64_t>(base) + d;
    }
    *value = magnitude;
    return true;
}

bool isDecimal(char c) {
    return c >= '0' && c <= '9';
}

// How many decimal digits lead the text.
size_t decimalRun(const char* text) {
    size_t length = 0;
    while (isDecimal(text[length])) {
        ++length;
    }
    return length;
}

// The strict syntax of a real: the whole text.
bool realSyntax(const char* text) {
    const char* at = text;
    if (*at == '-') {
        ++at;
    }
    const size_t whole = decimalRun(at);
    at += whole;
    size_t fraction = 0;
    if (*at == '.') {
        ++at;
        fraction = decimalRun(at);
        at += fraction;
    }
    if (whole + fraction == 0) {
        return false;
    }
    if (*at == 'e' || *at == 'E') {
        ++at;
        if (*at == '+' || *at == '-') {
            ++at;
        }
        const size_t exponent = decimalRun(at);
        if (exponent == 0) {
            return false;
        }
        at += exponent;
    }
    return *at == '\0';
}

} // namespace

bool readWholeNumber(const char* text, int64_t lowest, int64_t highest, int64_t* value) {
    const bool negative = *text == '-';
    uint64_t magnitude = 0;
    if (!readDigits(negative ? text + 1 : text, 10, &magnitude)) {
        return false;
    }
    const uint64_t mostNegative = uint64_t{1} << 63;
    if (magnitude > (negative ? mostNegative : mostNegative - 1)) {
        return false;
    }
    int64_t number = 0;
    if (negative) {
        // -(2^63) is the one magnitude that has no positive int64.
        number = magnitude == mostNegative ? INT64_MIN : -static_cast<int64_t>(magnitude);
    } else {
        number = static_cast<int64_t>(magnitude);
    }
    if (number < lowest || number > highest) {
        return false;
    }
    *value = number;
    return true;
}

bool readCount(const char* text, uint64_t highest, uint64_t* value, CountDigits digits) {
    const bool hexadecimal = digits == CountDigits::decimalOrHexadecimal && text[0] == '0' &&
                             (text[1] == 'x' || text[1] == 'X');
    uint64_t number = 0;
    if (!readDigits(hexadecimal ? text + 2 : text, hexadecimal ? 16 : 10, &number) ||
        number > highest) {
        return false;
    }
    *value = number;
    return true;
}

// The programs never change the C locale, so strtof's decimal point is '.'.
bool readReal(const char* text, float lowest, float highest, float* value) {
    if (!realSyntax(text)) {
        return false;
    }
    const float number = std::strtof(text, nullptr);
    if (!std::isfinite(number) || number < lowest || number > highest) {
        return false;
    }
    *value = number;
    return true;
}

bool readSize(const char* text, int32_t largestSide, int32_t* width, int32_t* height) {
    const char* x = std::strchr(text, 'x');
    if (x == nullptr) {
        return false;
    }
    int64_t w = 0;
    int64_t h = 0;
    if (!readWholeNumber(std::string(text, x).c_str(), 1, largestSide, &w) ||
        !readWholeNumber(x + 1, 1, largestSide, &h)) {
        return false;
    }
    *width = static_cast<int32_t>(w);
    *height = static_cast<int32_t>(h);
    return true;
}

size_t scanFormattedInteger(const char* text, int32_t* value, bool* fits) {
    const char* at = text;
    const bool negative = *at == '-';
    if (*at == '-' || *at == '+') {
        ++at;
    }
    const size_t digits = decimalRun(at);
    if (digits == 0) {
        return 0;
    }
    // Saturates just past the largest magnitude, however many digits follow.
    int64_t magnitude = 0;
    for (size_t i = 0; i < digits; ++i) {
        magnitude = magnitude * 10 + (at[i] - '0');
        if (magnitude > 2147483648ll) {
            magnitude = 2147483649ll;
        }
    }
    *fits = magnitude <= (negative ? 2147483648ll : 2147483647ll);
    if (*fits) {
        *value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    }
    return static_cast<size_t>(at - text) + digits;
}

size_t scanFormattedReal(const char* text, float* value) {
    // strtof would skip white space first; the conversion's caller has done that already.
    if (*text == ' ' || (*text >= '\t' && *text <= '\r')) {
        return 0;
    }
    char* end = nullptr;
    const float number = std::strtof(text, &end);
    if (end == text) {
        return 0;
    }
    *value = number;
    return static_cast<size_t>(end - text);
}
