#include "colour/translationTables.h"

#include "record/displayState.h"
#include "window/fatalError.h"

#include <cstdlib>

const char unsupportedPixelFormatMessage[] =
    "Your graphics card fell off the back of a truck in Novosibirsk. Buy a new one or the mafia "
    "will be after you.";

// One table per format, indexed by the format. A single cache for all formats would hand a
// table built for narrower pixels to a request for wider ones, to be read past its end.
static uint8_t* translationTables[5];

static const uint32_t greenMask565 = 0x7E0;
static const uint32_t greenMask555 = 0x3E0;

static int squared(int value) {
    return value * value;
}

// Above the largest possible distance, 2 × 255² + 3 × 255² + 255² = 390150, so that every
// entry finds a match.
static const int noMatchYet = 0x60000;

static uint8_t nearestIndex(const PaletteEntry& wanted, const PaletteEntry screen[256]) {
    int bestDistance = noMatchYet;
    int bestIndex = 0;
    for (int j = 0; j < 256 && bestDistance != 0; j++) {
        int distance = 2 * squared(wanted.peRed - screen[j].peRed) +
                       3 * squared(wanted.peGreen - screen[j].peGreen) +
                       squared(wanted.peBlue - screen[j].peBlue);
        // Strictly smaller: the lowest index wins a tie.
        if (distance < bestDistance) {
            bestDistance = distance;
            bestIndex = j;
        }
    }
    return (uint8_t)bestIndex;
}

static uint8_t* buildNearestIndexTable() {
    LPDIRECTDRAWPALETTE screenPalette = nullptr;
    HRESULT result = display.primarySurface != nullptr
                         ? display.primarySurface->GetPalette(&screenPalette)
                         : DDERR_NOPALETTEATTACHED;
    checkDirectDraw(2005, result);
    PaletteEntry screen[256];
    result = screenPalette->GetEntries(0, 0, 256, screen);
    // GetPalette handed us a reference of our own.
    screenPalette->Release();
    checkDirectDraw(2006, result);
    uint8_t* table = (uint8_t*)std::malloc(256);
    if (table == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < 256; i++) {
        table[i] = nearestIndex(display.palette[i], screen);
    }
    return table;
}

static uint8_t* buildSixteenBitTable() {
    uint32_t greenMask = display.primaryDesc.ddpfPixelFormat.dwGBitMask;
    if (greenMask != greenMask565 && greenMask != greenMask555) {
        fatalError(unsupportedPixelFormatMessage);
    }
    uint8_t* table = (uint8_t*)std::malloc(512);
    if (table == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < 256; i++) {
        uint32_t r = display.palette[i].peRed;
        uint32_t g = display.palette[i].peGreen;
        uint32_t b = display.palette[i].peBlue;
        uint32_t value = greenMask == greenMask565 ? (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)
                                                   : (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
        table[2 * i] = (uint8_t)value;
        table[2 * i + 1] = (uint8_t)(value >> 8);
    }
    return table;
}

// Blue, green, red, then a zero byte when the pixels are four bytes wide.
static uint8_t* buildTrueColourTable(int bytesPerPixel) {
    uint8_t* table = (uint8_t*)std::malloc(256 * (size_t)bytesPerPixel);
    if (table == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < 256; i++) {
        uint8_t* pixel = table + i * bytesPerPixel;
        pixel[0] = display.palette[i].peBlue;
        pixel[1] = display.palette[i].peGreen;
        pixel[2] = display.palette[i].peRed;
        if (bytesPerPixel == 4) {
            pixel[3] = 0;
        }
    }
    return table;
}

const uint8_t* getTranslationTable(int32_t format) {
    if (format < 1 || format > 4) {
        return nullptr;
    }
    if (translationTables[format] == nullptr) {
        switch (format) {
        case 1:
            translationTables[format] = buildNearestIndexTable();
            break;
        case 2:
            translationTables[format] = buildSixteenBitTable();
            break;
        default:
            translationTables[format] = buildTrueColourTable(format);
            break;
        }
    }
    return translationTables[format];
}

void freeTranslationTables() {
    for (uint8_t*& table : translationTables) {
        std::free(table);
        table = nullptr;
    }
}
