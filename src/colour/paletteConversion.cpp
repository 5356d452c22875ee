#include "colour/paletteConversion.h"

#include "record/displayState.h"

// A division by 256, not 255: every byte maps into [0, 1).
static float channelToFloat(uint8_t channel) {
    return (float)channel / 256.0f;
}

void paletteToFloats(float red[256], float green[256], float blue[256]) {
    for (int i = 0; i < 256; i++) {
        const PaletteEntry& entry = display.palette[i];
        red[i] = channelToFloat(entry.peRed);
        green[i] = channelToFloat(entry.peGreen);
        blue[i] = channelToFloat(entry.peBlue);
    }
}

void paletteEntryToFloats(uint8_t index, float* red, float* green, float* blue) {
    const PaletteEntry& entry = display.palette[index];
    *red = channelToFloat(entry.peRed);
    *green = channelToFloat(entry.peGreen);
    *blue = channelToFloat(entry.peBlue);
}
