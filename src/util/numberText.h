// Numbers read from text: the program's options, flight files, the web page's address and the
// preferences file all read them here, by one set of rules.
//
// The strict reading (readWholeNumber, readCount, readReal, readSize) is for text that holds
// one number and nothing else:
// - No white space anywhere, before, inside or after the number, and nothing after it.
// - A '-' may lead a whole number or a real; a '+' may not (only an exponent takes one). A
//   count has no sign at all.
// - Whole numbers and counts are decimal digits, leading zeros allowed; a count may be
//   hexadecimal after "0x" or "0X" where the caller asks for it.
// - A real is digits with an optional point and fraction (or a point and a fraction), then an
//   optional exponent "e" or "E", a sign and digits; no "inf", "nan" or hexadecimal. It is
//   rounded to the nearest float, as strtof does; one too large for a float is refused, one
//   too small becomes zero.
// - The value must lie in the range the caller gives, ends included; anything outside it,
//   however many digits it has, is refused, never wrapped or clamped.
// - A size is a width, a lower-case "x" and a height, each a whole number from 1 to the
//   caller's largest side.
// A refused text leaves the result untouched.
//
// The formatted reading (scanFormattedInteger, scanFormattedReal) is the one for the
// preferences file, whose lines are fixed as the formatted-input conversions %d and %f read
// them: a leading '+' is allowed there, and the number is the longest leading part of the text
// that the conversion takes.
#pragma once

#include <cstddef>
#include <cstdint>

bool readWholeNumber(const char* text, int64_t lowest, int64_t highest, int64_t* value);

enum class CountDigits { decimal, decimalOrHexadecimal };
bool readCount(const char* text, uint64_t highest, uint64_t* value,
               CountDigits digits = CountDigits::decimal);

bool readReal(const char* text, float lowest, float highest, float* value);

bool readSize(const char* text, int32_t largestSide, int32_t* width, int32_t* height);

// %d: an optional sign and the decimal digits after it. Returns how many characters make the
// number (0 when there is none: *value untouched); *fits is false when it lies outside 32 bits,
// and then *value is untouched too.
size_t scanFormattedInteger(const char* text, int32_t* value, bool* fits);

// %f: the longest leading part that is a floating-point number (decimal or hexadecimal, "inf"
// or "nan", with an optional sign), rounded to a float. Returns how many characters it takes;
// 0 when there is no number, and *value is untouched.
size_t scanFormattedReal(const char* text, float* value);
