// Palette cycling on an 8-bit display: the hue palette's four colour circles are drawn once as
// bands of palette indices, then turned a step per frame by rewriting their entries, so the
// picture moves while not one pixel is drawn again. Runs on the headless host and writes the
// last frame, seen through its palette, to a PPM file (default huePalette.ppm).
#include "colour/gammaPalettes.h"
#include "colour/paletteUpload.h"
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "window/mainWindow.h"

#include <cstdio>

namespace {

const int32_t width = 320;
const int32_t height = 200;
const int frames = 9;

// First palette index and number of entries of each hue circle.
const int firstHue = 32;
const int circleLength = 24;
const int circles = 4;

// count stripes of indices first, first + 1 ... side by side across the screen.
void drawStripes(int32_t top, int32_t rows, int first, int count) {
    for (int i = 0; i < count; i++) {
        int32_t left = i * width / count;
        int32_t right = (i + 1) * width / count;
        pixelOps.fillRect(left, top, right - left, rows, (Colour)(first + i));
    }
}

void drawPicture() {
    for (int circle = 0; circle < circles; circle++) {
        drawStripes(circle * 36, 36, firstHue + circle * circleLength, circleLength);
    }
    drawStripes(144, 16, 16, 16);   // greys
    drawStripes(160, 16, 0, 16);    // base colours
    drawStripes(176, 24, 128, 125); // the 5 x 5 x 5 cube
}

// Each circle moves one entry along: the colour of entry j + 1 goes to entry j.
void turnCircles() {
    for (int circle = 0; circle < circles; circle++) {
        int base = firstHue + circle * circleLength;
        PaletteEntry first = display.palette[base];
        for (int j = 0; j < circleLength; j++) {
            const PaletteEntry& next = j + 1 < circleLength ? display.palette[base + j + 1] : first;
            setPaletteEntry((uint8_t)(base + j), next.peRed, next.peGreen, next.peBlue);
        }
    }
}

bool writePpm(const char* path, const HeadlessFrame* frame) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", frame->width, frame->height);
    for (int y = 0; y < frame->height; y++) {
        for (int x = 0; x < frame->width; x++) {
            const PALETTEENTRY& entry = frame->palette[frame->pixels[y * frame->width + x]];
            unsigned char rgb[3] = {entry.peRed, entry.peGreen, entry.peBlue};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "huePalette.ppm";
    createMainWindow(GetModuleHandleA(nullptr), width, height, "Hue palette");
    openDisplay8Bit();
    createBackBuffer();
    setHuePalette(1.0f);
    clearAndPresent(253); // an entry that stays black
    drawPicture();
    for (int frame = 0; frame < frames; frame++) {
        presentFrame();
        turnCircles();
    }
    presentFrame();
    const HeadlessFrame* shown = headlessLastFrame();
    if (shown == nullptr || shown->bytesPerPixel != 1 || !writePpm(path, shown)) {
        std::fprintf(stderr, "huePalette: cannot write %s\n", path);
        return 1;
    }
    std::printf("%s: %dx%d, hue circles turned %d steps\n", path, shown->width, shown->height,
                frames);
    return 0;
}
