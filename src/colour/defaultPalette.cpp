#include "colour/defaultPalette.h"

#include "record/displayState.h"

static void setEntry(int index, int red, int green, int blue) {
    PaletteEntry& entry = display.palette[index];
    entry.peRed = (uint8_t)red;
    entry.peGreen = (uint8_t)green;
    entry.peBlue = (uint8_t)blue;
    entry.peFlags = paletteEntryFlags;
}

void buildDefaultPalette() {
    for (int i = 0; i < 16; i++) {
        int intensity = (i & 8) ? 255 : 128;
        setEntry(i, (i & 4) ? intensity : 0, (i & 2) ? intensity : 0, (i & 1) ? intensity : 0);
    }
    for (int i = 16; i < 40; i++) {
        int grey = 11 * i - 176;
        setEntry(i, grey, grey, grey);
    }
    for (int i = 40; i < 256; i++) {
        int n = i - 40;
        setEntry(i, 51 * (n % 6), 51 * ((n / 6) % 6), 51 * ((n / 36) % 6));
    }
}
