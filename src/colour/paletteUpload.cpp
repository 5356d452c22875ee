#include "colour/paletteUpload.h"

#include "record/displayState.h"
#include "window/fatalError.h"

void uploadPalette(int site) {
    if (display.paletteObject == nullptr) {
        return;
    }
    checkDirectDraw(site, display.paletteObject->SetEntries(0, 0, 256, display.palette));
}

void setPaletteEntry(uint8_t index, uint8_t red, uint8_t green, uint8_t blue) {
    PaletteEntry& entry = display.palette[index];
    entry.peRed = red;
    entry.peGreen = green;
    entry.peBlue = blue;
    entry.peFlags = paletteEntryFlags;
    if (display.paletteObject == nullptr) {
        return;
    }
    checkDirectDraw(18, display.paletteObject->SetEntries(0, index, 1, &entry));
}
