#include "colour/colourArithmetic.h"

static const Colour allChannels = 0xFFFFFF;

static Colour multiplyChannel(Colour a, Colour b, int shift) {
    Colour product = (((a >> shift) & 255) * ((b >> shift) & 255)) >> 8;
    return product << shift;
}

Colour multiplyColour(Colour a, Colour b) {
    return multiplyChannel(a, b, 16) | multiplyChannel(a, b, 8) | multiplyChannel(a, b, 0);
}

Colour screenColour(Colour a, Colour b) {
    return multiplyColour(a ^ allChannels, b ^ allChannels) ^ allChannels;
}
