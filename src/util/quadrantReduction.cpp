#include "util/quadrantReduction.h"

#include <cmath>
#include <cstdint>
#include <cstring>

// The bits of 2/π after the binary point, 32 to a word: enough for the largest doubles.
static const uint32_t twoOverPiWords[40] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB, 0xDEBBC561,
    0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484,
    0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B,
    0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D};
static const int twoOverPiWordCount = 40;

static const DoubleDouble halfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};

// The product of the mantissa and a window of 2/π, in 32-bit limbs, least significant first.
static const int windowLimbs = 8;
static const int productLimbs = windowLimbs + 2;

// 32 bits of 2/π from bit position first on (1 is the first bit after the binary point).
static uint32_t twoOverPiWordAt(int first) {
    const int index = (first - 1) / 32;
    const int shift = (first - 1) % 32;
    const uint32_t high = index < twoOverPiWordCount ? twoOverPiWords[index] : 0;
    if (shift == 0) {
        return high;
    }
    const uint32_t low = index + 1 < twoOverPiWordCount ? twoOverPiWords[index + 1] : 0;
    return (high << shift) | (low >> (32 - shift));
}

static uint32_t limbAt(const uint32_t* limbs, int index) {
    return index >= 0 && index < productLimbs ? limbs[index] : 0;
}

// Bits low .. low + 63 of the product; those outside it read as zero.
static uint64_t bitsAt(const uint32_t* limbs, int low) {
    const int index = low >= 0 ? low / 32 : -((31 - low) / 32);
    const int shift = low - index * 32;
    const uint64_t word = limbAt(limbs, index) | (uint64_t)limbAt(limbs, index + 1) << 32;
    if (shift == 0) {
        return word;
    }
    return (word >> shift) | (uint64_t)limbAt(limbs, index + 2) << (64 - shift);
}

static int bitAt(const uint32_t* limbs, int position) {
    return (int)(limbAt(limbs, position / 32) >> (position % 32)) & 1;
}

QuadrantReduction reduceQuadrant(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const int biasedExponent = (int)(bits >> 52) & 0x7FF;
    if (biasedExponent < 1022) { // |x| < 0.5: nothing to take away
        return {{x, 0.0}, 0};
    }
    // x = mantissa · 2^exponent with a 53-bit integer mantissa.
    const uint64_t mantissa = (bits & 0xFFFFFFFFFFFFFull) | 0x10000000000000ull;
    const int exponent = biasedExponent - 1075;

    // Bits of 2/π worth four or more times the mantissa add whole turns only: the window
    // starts after them. 256 bits leave over 190 correct ones below the binary point, however
    // close x lies to a multiple of π/2.
    const int first = exponent - 1 > 1 ? exponent - 1 : 1;
    uint32_t window[windowLimbs];
    for (int i = 0; i < windowLimbs; ++i) {
        window[windowLimbs - 1 - i] = twoOverPiWordAt(first + 32 * i);
    }
    const int fractionBits = first + 32 * windowLimbs - 1 - exponent;

    uint32_t product[productLimbs] = {};
    const uint32_t mantissaLimbs[2] = {(uint32_t)mantissa, (uint32_t)(mantissa >> 32)};
    for (int j = 0; j < 2; ++j) {
        uint64_t carry = 0;
        for (int i = 0; i < windowLimbs; ++i) {
            const uint64_t sum = (uint64_t)mantissaLimbs[j] * window[i] + product[i + j] + carry;
            product[i + j] = (uint32_t)sum;
            carry = sum >> 32;
        }
        product[j + windowLimbs] = (uint32_t)carry;
    }

    int quadrant = bitAt(product, fractionBits) | bitAt(product, fractionBits + 1) << 1;
    // The nearest multiple: a fraction of one half or more counts from the next quadrant.
    const bool fromNext = bitAt(product, fractionBits - 1) != 0;
    if (fromNext) {
        quadrant = (quadrant + 1) & 3;
        uint64_t carry = 1;
        for (uint32_t& limb : product) {
            const uint64_t sum = (uint64_t)(uint32_t)~limb + carry;
            limb = (uint32_t)sum;
            carry = sum >> 32;
        }
    }
    for (int i = 0; i < productLimbs; ++i) {
        const int below = fractionBits - 32 * i;
        if (below <= 0) {
            product[i] = 0;
        } else if (below < 32) {
            product[i] &= (1u << below) - 1;
        }
    }

    int top = fractionBits - 1;
    while (top >= 0 && bitAt(product, top) == 0) {
        --top;
    }
    if (top < 0) {
        return {{0.0, 0.0}, quadrant};
    }
    // The fraction's leading 159 bits, in three pieces each exact in a double.
    const uint64_t mask53 = (1ull << 53) - 1;
    const double piece1 =
        std::ldexp((double)(bitsAt(product, top - 52) & mask53), top - 52 - fractionBits);
    const double piece2 =
        std::ldexp((double)(bitsAt(product, top - 105) & mask53), top - 105 - fractionBits);
    const double piece3 =
        std::ldexp((double)(bitsAt(product, top - 158) & mask53), top - 158 - fractionBits);
    const DoubleDouble fraction = fastTwoSum(piece1, piece2 + piece3);
    DoubleDouble remainder = multiplyDoubleDouble(fraction, halfPi);
    if (fromNext != (x < 0)) {
        remainder = {-remainder.hi, -remainder.lo};
    }
    return {remainder, x < 0 ? (4 - quadrant) & 3 : quadrant};
}

bool reduceQuadrantOfFloat(double x, QuadrantReduction* reduction) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const int biasedExponent = (int)(bits >> 52) & 0x7FF;
    const uint64_t mantissa53 = (bits & 0xFFFFFFFFFFFFFull) | 0x10000000000000ull;
    if (biasedExponent < 1023 || biasedExponent > 1150 || (mantissa53 & 0x1FFFFFFFu) != 0) {
        return false;
    }
    // x = mantissa · 2^exponent with a 24-bit integer mantissa.
    const uint32_t mantissa = (uint32_t)(mantissa53 >> 29);
    const int exponent = biasedExponent - 1046;

    // As in reduceQuadrant, the window starts after the bits worth whole turns; 160 bits of it
    // leave an error below 2^-134 in the fraction of a quadrant.
    const int first = exponent - 1 > 1 ? exponent - 1 : 1;
    uint32_t product[6];
    uint64_t carry = 0;
    for (int i = 0; i < 5; ++i) {
        const uint64_t sum = (uint64_t)mantissa * twoOverPiWordAt(first + 32 * (4 - i)) + carry;
        product[i] = (uint32_t)sum;
        carry = sum >> 32;
    }
    product[5] = (uint32_t)carry;
    const uint64_t p0 = product[0] | (uint64_t)product[1] << 32;
    const uint64_t p1 = product[2] | (uint64_t)product[3] << 32;
    const uint64_t p2 = product[4] | (uint64_t)product[5] << 32;

    // The binary point sits fractionBits from the bottom, 158 to 183; shifted so that it sits
    // below the top two bits, the quadrant's, with whole turns falling off the top.
    const int fractionBits = first + 159 - exponent;
    const int shift = 190 - fractionBits;
    uint64_t q2 = (p2 << shift) | (p1 >> (64 - shift));
    uint64_t q1 = (p1 << shift) | (p0 >> (64 - shift));
    uint64_t q0 = p0 << shift;

    int quadrant = (int)(q2 >> 62);
    const bool fromNext = ((q2 >> 61) & 1) != 0;
    if (fromNext) {
        quadrant = (quadrant + 1) & 3;
        // Two's complement over the three words; only the fraction's bits are read after.
        const uint64_t carry1 = q0 == 0 ? 1 : 0;
        const uint64_t carry2 = carry1 != 0 && q1 == 0 ? 1 : 0;
        q0 = ~q0 + 1;
        q1 = ~q1 + carry1;
        q2 = ~q2 + carry2;
    }
    // The fraction of a quadrant, at most one half, to 106 bits in two exact pieces.
    const uint64_t mask53 = (1ull << 53) - 1;
    const uint64_t high = (q2 >> 9) & mask53;
    const uint64_t low = ((q2 & 0x1FF) << 44) | (q1 >> 20);
    const DoubleDouble fraction = fastTwoSum((double)high * 0x1p-53, (double)low * 0x1p-106);
    DoubleDouble remainder = multiplyDoubleDouble(fraction, halfPi);
    if (fromNext != (x < 0)) {
        remainder = {-remainder.hi, -remainder.lo};
    }
    *reduction = {remainder, x < 0 ? (4 - quadrant) & 3 : quadrant};
    return true;
}
