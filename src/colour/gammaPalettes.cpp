#include "colour/gammaPalettes.h"

#include "colour/paletteUpload.h"
#include "record/displayState.h"

#include <cmath>

// Channel fractions of a layout, single precision.
struct PaletteLayout {
    float red[256];
    float green[256];
    float blue[256];
};

static void setLayoutEntry(PaletteLayout& layout, int index, float red, float green, float blue) {
    layout.red[index] = red;
    layout.green[index] = green;
    layout.blue[index] = blue;
}

static void setBaseColours(PaletteLayout& layout) {
    for (int i = 0; i < 16; i++) {
        float intensity = (i & 8) ? 1.0f : 0.5f;
        setLayoutEntry(layout, i, (i & 4) ? intensity : 0.0f, (i & 2) ? intensity : 0.0f,
                       (i & 1) ? intensity : 0.0f);
    }
    setLayoutEntry(layout, 8, 0.25f, 0.25f, 0.25f);
}

// x in [0, 1] and a positive inverse gamma keep the result within 0..255.
static uint8_t gammaCorrected(float x, double inverseGamma) {
    return (uint8_t)(int)(255.4 * std::pow((double)x, inverseGamma));
}

static void convertAndUpload(const PaletteLayout& layout, float gamma, int site) {
    double inverseGamma = 1.0 / (double)gamma;
    for (int i = 0; i < 256; i++) {
        PaletteEntry& entry = display.palette[i];
        entry.peRed = gammaCorrected(layout.red[i], inverseGamma);
        entry.peGreen = gammaCorrected(layout.green[i], inverseGamma);
        entry.peBlue = gammaCorrected(layout.blue[i], inverseGamma);
        entry.peFlags = paletteEntryFlags;
    }
    uploadPalette(site);
}

// Also refuses NaN, whose conversion to a byte would be undefined.
static bool usableGamma(float gamma) {
    return gamma > 0.0f;
}

void setCubePalette(float gamma) {
    if (!usableGamma(gamma)) {
        return;
    }
    PaletteLayout layout;
    setBaseColours(layout);
    for (int i = 16; i < 40; i++) {
        float grey = (float)(i - 16) / 23.0f;
        setLayoutEntry(layout, i, grey, grey, grey);
    }
    for (int i = 40; i < 256; i++) {
        int n = i - 40;
        // 0.2 is a double; each product is kept as a float.
        setLayoutEntry(layout, i, (float)(0.2 * (n % 6)), (float)(0.2 * ((n / 6) % 6)),
                       (float)(0.2 * (n / 36)));
    }
    convertAndUpload(layout, gamma, 21);
}

// The (hi, lo) pair of each hue band: full, light, dark, medium.
static const float bandHigh[4] = {1.0f, 1.0f, 0.25f, 0.5f};
static const float bandLow[4] = {0.0f, 0.5f, 0.0f, 0.0f};

static void setHueCircles(PaletteLayout& layout) {
    for (int i = 32; i < 128; i++) {
        int k = i - 32;
        int band = k / 24;
        float hi = bandHigh[band];
        float lo = bandLow[band];
        int f = k % 8;
        if (f > 4) {
            f = 8 - f;
        }
        float t = (float)f / 4.0f;
        float m = t * hi + (1.0f - t) * lo;
        // Each sextant moves one channel between lo and hi: blue, magenta, red, yellow,
        // green, cyan.
        switch ((k / 4) % 6) {
        case 0:
            setLayoutEntry(layout, i, m, lo, hi);
            break;
        case 1:
            setLayoutEntry(layout, i, hi, lo, m);
            break;
        case 2:
            setLayoutEntry(layout, i, hi, m, lo);
            break;
        case 3:
            setLayoutEntry(layout, i, m, hi, lo);
            break;
        case 4:
            setLayoutEntry(layout, i, lo, hi, m);
            break;
        default:
            setLayoutEntry(layout, i, lo, m, hi);
            break;
        }
    }
}

void setHuePalette(float gamma) {
    if (!usableGamma(gamma)) {
        return;
    }
    PaletteLayout layout;
    setBaseColours(layout);
    for (int i = 16; i < 32; i++) {
        float grey = (float)(i - 16) / 15.0f;
        setLayoutEntry(layout, i, grey, grey, grey);
    }
    setHueCircles(layout);
    for (int i = 128; i < 253; i++) {
        int n = i - 128;
        setLayoutEntry(layout, i, 0.25f * (float)(n % 5), 0.25f * (float)((n / 5) % 5),
                       0.25f * (float)(n / 25));
    }
    for (int i = 253; i < 256; i++) {
        setLayoutEntry(layout, i, 0.0f, 0.0f, 0.0f);
    }
    convertAndUpload(layout, gamma, 191);
}
