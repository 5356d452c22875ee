// Every drawing primitive of the library on one sheet, in 24-bit and in 8-bit mode: lines,
// outlines, boxes, spans, triangles, circles, discs, keyed, clipped and alpha sprites, a clip
// window and the mouse pointer. Runs on the headless host and saves each picture through
// writeScreenshot as gallery24.bmp and gallery8.bmp in the folder given (default: here).
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "imagefile/screenshot.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/areaPrimitives.h"
#include "raster/circles.h"
#include "raster/clipWindow.h"
#include "raster/lines.h"
#include "raster/mousePointer.h"
#include "raster/pixelOps.h"
#include "raster/sprites.h"
#include "record/displayState.h"
#include "window/fatalError.h"
#include "window/inputState.h"
#include "window/mainWindow.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int32_t cellWidth = 120;
const int32_t cellHeight = 100;
const int32_t columns = 4;
const int32_t rows = 3;
const int32_t width = cellWidth * columns;
const int32_t height = cellHeight * rows;
const int spriteSize = 16;

bool eightBit() {
    return display.pixelMode == pixelModePalettized;
}

// A colour of the default palette's 6 x 6 x 6 cube (levels 0 to 5), in either mode.
Colour cube(int red, int green, int blue) {
    if (eightBit()) {
        return static_cast<Colour>(40 + red + 6 * green + 36 * blue);
    }
    return static_cast<Colour>(51 * red) << 16 | static_cast<Colour>(51 * green) << 8 |
           static_cast<Colour>(51 * blue);
}

// A grey of the default palette's ramp (step 0 to 23), in either mode.
Colour grey(int step) {
    if (eightBit()) {
        return static_cast<Colour>(16 + step);
    }
    const Colour g = static_cast<Colour>(11 * step);
    return g << 16 | g << 8 | g;
}

int32_t cellLeft(int column) {
    return column * cellWidth;
}
int32_t cellTop(int row) {
    return row * cellHeight;
}

// A ring with a dot in the middle; everything else is transparent.
bool ringPixel(int x, int y) {
    const double d = std::hypot(x - 7.5, y - 7.5);
    return (d > 4.5 && d < 7.6) || d < 2;
}

// The ring as an indexed sprite, or as a true-colour one on the transparent triple.
std::vector<uint8_t> ringSprite(int red, int green, int blue) {
    std::vector<uint8_t> sprite = {spriteSize, spriteSize};
    for (int y = 0; y < spriteSize; ++y) {
        for (int x = 0; x < spriteSize; ++x) {
            const bool solid = ringPixel(x, y);
            const int shade = y < 8 ? 0 : -1; // darker lower half, for some relief
            const Colour c =
                cube(red + (red > 0 ? shade : 0), green + (green > 0 ? shade : 0), blue);
            if (eightBit()) {
                sprite.push_back(solid ? static_cast<uint8_t>(c) : transparentIndex);
            } else if (solid) {
                sprite.insert(sprite.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8),
                                             static_cast<uint8_t>(c >> 16)});
            } else {
                sprite.insert(sprite.end(), {transparentBlue, transparentGreen, transparentRed});
            }
        }
    }
    return sprite;
}

// A soft round glow: alpha falls from the centre outward.
std::vector<uint8_t> glowSprite(uint8_t red, uint8_t green, uint8_t blue) {
    const int size = 48;
    std::vector<uint8_t> sprite = {static_cast<uint8_t>(size), static_cast<uint8_t>(size)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - 23.5, y - 23.5) / 24.0;
            const double alpha = d >= 1 ? 0 : 255 * (1 - d * d);
            sprite.insert(sprite.end(), {blue, green, red, static_cast<uint8_t>(alpha)});
        }
    }
    return sprite;
}

void drawCellBackgrounds() {
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            pixelOps.fillRect(cellLeft(column), cellTop(row), cellWidth, cellHeight,
                              grey((row + column) % 2 ? 3 : 4));
            pixelOps.frameRect(cellLeft(column), cellTop(row), cellWidth - 1, cellHeight - 1,
                               grey(9));
        }
    }
}

void drawLinesCell(int32_t left, int32_t top) {
    const float cx = static_cast<float>(left + 60);
    const float cy = static_cast<float>(top + 50);
    for (int i = 0; i < 24; ++i) {
        const double angle = i * 3.14159265358979 / 12;
        const float x = cx + static_cast<float>(44 * std::cos(angle));
        const float y = cy + static_cast<float>(44 * std::sin(angle));
        drawLineDirect(cx, cy, x, y, cube(i % 6, 5 - i % 6, (i / 6) + 1));
    }
}

void drawOutlinesCell(int32_t left, int32_t top) {
    for (int i = 0; i < 6; ++i) {
        pixelOps.frameRect(left + 8 + 6 * i, top + 8 + 5 * i, 104 - 12 * i, 84 - 10 * i,
                           cube(5 - i, i, 5));
    }
    // frameBox is an 8-bit operation; in true colour the slot draws the inner boxes too.
    for (int i = 0; i < 3; ++i) {
        const uint32_t x1 = static_cast<uint32_t>(left + 48 + 4 * i);
        const uint32_t y1 = static_cast<uint32_t>(top + 40 + 4 * i);
        if (eightBit()) {
            frameBox(x1, y1, x1 + 24 - 8 * i, y1 + 20 - 8 * i, cube(5, 5, i * 2));
        } else {
            pixelOps.frameRect(static_cast<int32_t>(x1), static_cast<int32_t>(y1), 24 - 8 * i,
                               20 - 8 * i, cube(5, 5, i * 2));
        }
    }
}

void drawBoxesCell(int32_t left, int32_t top) {
    pixelOps.fillRect(left + 10, top + 10, 60, 45, cube(5, 1, 0));
    pixelOps.fillRect(left + 40, top + 30, 60, 45, cube(0, 3, 5));
    // fillBox takes corners, the far one excluded; 8-bit only.
    const uint32_t x1 = static_cast<uint32_t>(left + 25);
    const uint32_t y1 = static_cast<uint32_t>(top + 50);
    if (eightBit()) {
        fillBox(x1, y1, x1 + 40, y1 + 40, cube(1, 5, 1));
    } else {
        pixelOps.fillRect(static_cast<int32_t>(x1), static_cast<int32_t>(y1), 40, 40,
                          cube(1, 5, 1));
    }
}

// A staircase of spans: each row a half-open run whose ends move.
void drawSpansCell(int32_t left, int32_t top) {
    for (int i = 0; i < 80; ++i) {
        const int32_t y = top + 10 + i;
        const int32_t a = left + 10 + static_cast<int32_t>(20 * std::sin(i / 8.0) + 20);
        const int32_t b = left + 110 - static_cast<int32_t>(20 * std::cos(i / 11.0) + 20);
        drawSpan(b, a, y, cube(i / 16, 5 - i / 16, 2));
    }
}

void drawTrianglesCell(int32_t left, int32_t top) {
    fillTriangle(left + 10, top + 90, left + 60, top + 8, left + 110, top + 90, cube(5, 4, 0));
    fillTriangle(left + 60, top + 90, left + 35, top + 49, left + 85, top + 49, cube(1, 1, 3));
    fillTriangle(left + 5, top + 5, left + 40, top + 12, left + 12, top + 40, cube(0, 5, 4));
}

void drawCirclesCell(int32_t left, int32_t top) {
    for (int i = 1; i <= 8; ++i) {
        drawCircle(static_cast<float>(left + 60), static_cast<float>(top + 50),
                   static_cast<float>(5.5 * i), cube(5, i * 5 / 8, 5 - i * 5 / 8));
    }
}

void drawDiscsCell(int32_t left, int32_t top) {
    fillCircle(static_cast<float>(left + 45), static_cast<float>(top + 40), 30, cube(5, 0, 0));
    fillCircle(static_cast<float>(left + 75), static_cast<float>(top + 40), 30, cube(0, 5, 0));
    fillCircle(static_cast<float>(left + 60), static_cast<float>(top + 65), 30, cube(0, 0, 5));
    fillCircle(static_cast<float>(left + 60) + 0.5f, static_cast<float>(top + 50) + 0.5f, 8,
               grey(23));
}

void drawKeyedSpritesCell(int32_t left, int32_t top) {
    const std::vector<uint8_t> sprites[3] = {ringSprite(5, 1, 0), ringSprite(0, 4, 5),
                                             ringSprite(4, 5, 0)};
    for (int i = 0; i < 15; ++i) {
        const int32_t x = left + 8 + (i % 5) * 21;
        const int32_t y = top + 10 + (i / 5) * 28;
        pixelOps.blitSprite(x, y, sprites[i % 3].data());
    }
}

// 8-bit sheets have no alpha: their cell shows the clipped copy cut at the window's edge
// instead.
void drawAlphaCell(int32_t left, int32_t top) {
    for (int i = 0; i < 6; ++i) {
        pixelOps.fillRect(left + 6 + 18 * i, top + 6, 12, 88, cube(i, 5 - i, 3));
    }
    if (eightBit()) {
        const std::vector<uint8_t> ring = ringSprite(5, 5, 5);
        setClipWindow(left + 10, top + 10, left + 110, top + 90);
        for (int i = 0; i < 4; ++i) {
            pixelOps.blitSpriteClipped(-8 + 36 * i, -8 + 24 * i, ring.data());
        }
        clearClipWindow();
        return;
    }
    const std::vector<uint8_t> warm = glowSprite(255, 220, 120);
    const std::vector<uint8_t> cold = glowSprite(120, 200, 255);
    blitSpriteAlpha(left + 8, top + 8, warm.data());
    blitSpriteAlpha(left + 60, top + 44, cold.data());
    blitSpriteAlpha(left + 36, top + 28, warm.data());
}

// Everything drawn while the window is set lands inside it, whatever its coordinates.
void drawClipWindowCell(int32_t left, int32_t top) {
    setClipWindow(left + 15, top + 15, left + 105, top + 85);
    pixelOps.fillRect(-50, -50, 500, 500, grey(1));
    fillCircle(0, 0, 60, cube(5, 3, 0));
    fillTriangle(20, 80, 100, 10, 120, 90, cube(0, 2, 5));
    for (int i = -100; i < 200; i += 10) {
        drawLineDirect(static_cast<float>(i), -20, static_cast<float>(i + 60), 120, grey(20));
    }
    drawCircle(70, 20, 30, cube(5, 5, 5));
    clearClipWindow();
    pixelOps.frameRect(left + 14, top + 14, 91, 71, cube(5, 5, 0));
}

// The pointer is drawn at the mouse position; inside a clip window at the same screen pixel.
void drawMousePointerCell(int32_t left, int32_t top) {
    for (int i = 0; i < 5; ++i) {
        mouseX = left + 14 + 20 * i;
        mouseY = top + 16 + 12 * i;
        drawMousePointer();
    }
    mouseX = left + 60;
    mouseY = top + 80;
    setClipWindow(left + 40, top + 70, left + 100, top + 95);
    pixelOps.fillRect(0, 0, 60, 25, cube(0, 1, 2));
    drawMousePointer();
    clearClipWindow();
}

void drawSheet() {
    drawCellBackgrounds();
    drawLinesCell(cellLeft(0), cellTop(0));
    drawOutlinesCell(cellLeft(1), cellTop(0));
    drawBoxesCell(cellLeft(2), cellTop(0));
    drawSpansCell(cellLeft(3), cellTop(0));
    drawTrianglesCell(cellLeft(0), cellTop(1));
    drawCirclesCell(cellLeft(1), cellTop(1));
    drawDiscsCell(cellLeft(2), cellTop(1));
    drawKeyedSpritesCell(cellLeft(3), cellTop(1));
    drawAlphaCell(cellLeft(0), cellTop(2));
    drawClipWindowCell(cellLeft(1), cellTop(2));
    drawMousePointerCell(cellLeft(2), cellTop(2));
    // The last cell: keyed sprites on a diagonal, and one placed by negative coordinates,
    // which count from the right and bottom edges, in its lower right corner.
    const std::vector<uint8_t> ring = ringSprite(5, 0, 5);
    for (int i = 0; i < 4; ++i) {
        pixelOps.blitSprite(cellLeft(3) + 12 + 20 * i, cellTop(2) + 10 + 14 * i, ring.data());
    }
    pixelOps.blitSprite(-spriteSize - 8, -spriteSize - 8, ring.data());
    fillCircle(static_cast<float>(cellLeft(3) + 30), static_cast<float>(cellTop(2) + 72), 14,
               cube(5, 5, 0));
    drawCircle(static_cast<float>(cellLeft(3) + 30), static_cast<float>(cellTop(2) + 72), 18,
               cube(5, 5, 5));
}

bool saveSheet(const std::string& path) {
    clearAndPresent(0);
    drawSheet();
    presentFrame();
    if (writeScreenshot(path.c_str()) != 1) {
        std::fprintf(stderr, "gallery: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s: %dx%d, %d-bit\n", path.c_str(), width, height,
                display.pixelMode == 1 ? 8 : 24);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : std::string();
    headlessReset(); // a fresh memory screen, nothing alive
    createMainWindow(GetModuleHandleA(nullptr), width, height, "Gallery");
    openDisplayTrueColour();
    createBackBuffer();
    if (!saveSheet(folder + "gallery24.bmp")) {
        return 1;
    }
    releaseDisplayObjects();
    openDisplay8Bit();
    createBackBuffer();
    return saveSheet(folder + "gallery8.bmp") ? 0 : 1;
}
