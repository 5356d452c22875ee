// Random sequences of the raster primitives on a small headless display, with clip windows,
// mode changes, presentation and minimise/restore between them. Besides the sanitizers'
// checks of every access, the oracles are: an operation bound to the drawing area leaves every
// byte outside it as it was (row padding and the rest of the screen around a clip window
// included); a minimise and restore keeps the picture; after it an 8-bit program's palette copy
// is the one on the screen; clipLineToScreen's ends, whatever the line, truncate onto pixels of
// the screen, exactly as its header promises.
#include "colour/paletteUpload.h"
#include "colour/translationTables.h"
#include "display/displayModeChange.h"
#include "display/displaySetup.h"
#include "display/displaySuspension.h"
#include "display/presentation.h"
#include "fuzzInput.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/areaPrimitives.h"
#include "raster/circles.h"
#include "raster/clipWindow.h"
#include "raster/lines.h"
#include "raster/pixelOps.h"
#include "raster/sprites.h"
#include "record/displayState.h"
#include "window/mainWindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "oracle failed: %s\n", what);
        std::abort();
    }
}

// The whole back buffer, from the screen's corner whatever window is set.
uint8_t* wholeBackBuffer() {
    return display.backBuffer - (static_cast<ptrdiff_t>(clipOriginX) * display.pixelMode +
                                 static_cast<ptrdiff_t>(clipOriginY) * display.backPitch);
}

size_t wholeBackBytes() {
    return static_cast<size_t>(display.backPitch) * static_cast<size_t>(wholeScreenHeight());
}

bool insideArea(size_t offset) {
    const size_t row = offset / static_cast<size_t>(display.backPitch);
    const size_t column = offset % static_cast<size_t>(display.backPitch);
    const size_t left = static_cast<size_t>(clipOriginX) * display.pixelMode;
    return row >= static_cast<size_t>(clipOriginY) &&
           row < static_cast<size_t>(clipOriginY) + static_cast<size_t>(display.screenHeight) &&
           column >= left &&
           column < left + static_cast<size_t>(display.screenWidth) * display.pixelMode;
}

std::vector<uint8_t> before;

void remember() {
    before.assign(wholeBackBuffer(), wholeBackBuffer() + wholeBackBytes());
}

void checkOutsideUntouched(const char* operation) {
    const uint8_t* now = wholeBackBuffer();
    for (size_t i = 0; i < before.size(); ++i) {
        if (now[i] != before[i] && !insideArea(i)) {
            std::fprintf(stderr, "%s wrote byte %zu outside the %dx%d area (mode %d)\n", operation,
                         i, display.screenWidth, display.screenHeight, display.pixelMode);
            std::abort();
        }
    }
}

void resetEverything() {
    headlessReset();
    std::memset(&display, 0, sizeof display);
    mainWindow = nullptr;
    appInstance = nullptr;
    freeTranslationTables();
    forgetClipWindow();
}

// A sprite of the encoding given, allocated at exactly its size.
std::vector<uint8_t> takeSprite(FuzzInput* in, int bytesPerPixel) {
    const uint8_t width = takeByte(in) % 12;
    const uint8_t height = takeByte(in) % 12;
    std::vector<uint8_t> sprite(2 + static_cast<size_t>(width) * height * bytesPerPixel);
    sprite[0] = width;
    sprite[1] = height;
    for (size_t i = 2; i < sprite.size(); ++i) {
        sprite[i] = takeByte(in);
    }
    return sprite;
}

void checkClipPromise(float x1, float y1, float x2, float y2) {
    const float given[4] = {x1, y1, x2, y2};
    if (!clipLineToScreen(&x1, &y1, &x2, &y2)) {
        return;
    }
    // Each end truncates onto a pixel of the screen: x in (-1, w), y in (-1, h).
    const float width = static_cast<float>(display.screenWidth);
    const float height = static_cast<float>(display.screenHeight);
    const bool inside = x1 > -1 && x1 < width && x2 > -1 && x2 < width && y1 > -1 && y1 < height &&
                        y2 > -1 && y2 < height;
    if (!inside) {
        std::fprintf(stderr,
                     "oracle failed: clipLineToScreen(%.9g, %.9g, %.9g, %.9g) on %dx%d gave "
                     "(%.9g, %.9g)-(%.9g, %.9g)\n",
                     given[0], given[1], given[2], given[3], display.screenWidth,
                     display.screenHeight, x1, y1, x2, y2);
        std::abort();
    }
}

bool samePalette(const PALETTEENTRY* a, const PALETTEENTRY* b) {
    return std::memcmp(a, b, 256 * sizeof(PALETTEENTRY)) == 0;
}

void minimiseAndRestore() {
    const std::vector<uint8_t> picture(wholeBackBuffer(), wholeBackBuffer() + wholeBackBytes());
    const int32_t pitch = display.backPitch;
    suspendDisplay();
    restoreDisplay();
    if (display.backPitch == pitch) {
        check(std::memcmp(picture.data(), wholeBackBuffer(), picture.size()) == 0,
              "the picture survives a minimise");
    }
    if (display.pixelMode == pixelModePalettized) {
        check(samePalette(display.palette, headlessScreenPalette()),
              "the program's palette is the screen's after a restore");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    resetEverything();
    headlessSetExtraPitch(takeByte(&in) % 9);
    const int32_t width = 1 + takeByte(&in) % 40;
    const int32_t height = 1 + takeByte(&in) % 30;
    createMainWindow(GetModuleHandleA(nullptr), width, height, "fuzz");
    if (takeByte(&in) % 3 == 0) {
        openDisplay8Bit();
    } else {
        if (takeByte(&in) % 2 == 0) {
            headlessRefuseDepth(24);
        }
        openDisplayTrueColour();
    }
    createBackAndLayer();

    for (int step = 0; step < 64 && in.size > 0; ++step) {
        const int32_t w = display.screenWidth;
        const int32_t h = display.screenHeight;
        const uint8_t operation = takeByte(&in) % 25;
        const Colour colour = takeWord(&in);
        remember();
        bool areaBound = true;
        switch (operation) {
        case 0:
            pixelOps.plot(static_cast<uint32_t>(takeCoordinate(&in, w)),
                          static_cast<uint32_t>(takeCoordinate(&in, h)), colour);
            break;
        case 1:
            if (display.pixelMode != pixelModePalettized) {
                plotScreen(static_cast<uint32_t>(takeCoordinate(&in, w)),
                           static_cast<uint32_t>(takeCoordinate(&in, h)), colour);
            }
            break;
        case 2:
            // Four-byte pixels whatever the mode: only in 32 bits do they stay in the area.
            areaBound = display.pixelMode == 4;
            plotAdd(static_cast<uint32_t>(takeCoordinate(&in, w)),
                    static_cast<uint32_t>(takeCoordinate(&in, h)), colour);
            break;
        case 3:
            (void)pixelOps.peek(static_cast<uint32_t>(takeCoordinate(&in, w)),
                                static_cast<uint32_t>(takeCoordinate(&in, h)));
            (void)pixelOps.peekLayer(static_cast<uint32_t>(takeCoordinate(&in, w)),
                                     static_cast<uint32_t>(takeCoordinate(&in, h)));
            break;
        case 4: {
            const int32_t x = takeCoordinate(&in, w);
            const int32_t y = takeCoordinate(&in, h);
            pixelOps.fillRect(x, y, takeCoordinate(&in, w), takeCoordinate(&in, h), colour);
            break;
        }
        case 5: {
            const int32_t x = takeCoordinate(&in, w);
            const int32_t y = takeCoordinate(&in, h);
            pixelOps.frameRect(x, y, takeCoordinate(&in, w), takeCoordinate(&in, h), colour);
            break;
        }
        case 6: {
            const float x1 = takePosition(&in, w);
            const float y1 = takePosition(&in, h);
            const float x2 = takePosition(&in, w);
            const float y2 = takePosition(&in, h);
            if (display.pixelMode != pixelModePalettized) {
                drawLineScreen(x1, y1, x2, y2, colour);
            }
            break;
        }
        case 7: {
            const float x1 = takePosition(&in, w);
            const float y1 = takePosition(&in, h);
            const float x2 = takePosition(&in, w);
            drawLineDirect(x1, y1, x2, takePosition(&in, h), colour);
            break;
        }
        case 8: {
            const float x1 = takePosition(&in, w);
            const float y1 = takePosition(&in, h);
            const float x2 = takePosition(&in, w);
            drawLineLayer(x1, y1, x2, takePosition(&in, h), colour);
            break;
        }
        case 9: {
            const int32_t xa = takeCoordinate(&in, w);
            const int32_t xb = takeCoordinate(&in, w);
            drawSpan(xa, xb, takeCoordinate(&in, h), colour);
            break;
        }
        case 10: {
            int32_t v[6];
            for (int i = 0; i < 6; ++i) {
                v[i] = takeCoordinate(&in, i % 2 == 0 ? w : h);
            }
            fillTriangle(v[0], v[1], v[2], v[3], v[4], v[5], colour);
            break;
        }
        case 11: {
            const float cx = takePosition(&in, w);
            const float cy = takePosition(&in, h);
            const float r = takePosition(&in, w);
            if (takeByte(&in) % 2 == 0) {
                drawCircle(cx, cy, r, colour);
            } else {
                fillCircle(cx, cy, r, colour);
            }
            break;
        }
        case 12: {
            const std::vector<uint8_t> sprite = takeSprite(&in, display.pixelMode == 1 ? 1 : 3);
            const int32_t x = takeCoordinate(&in, w);
            pixelOps.blitSpriteClipped(x, takeCoordinate(&in, h), sprite.data());
            break;
        }
        case 13: {
            // The keyed copy wraps into the rows that follow, by design.
            areaBound = false;
            const std::vector<uint8_t> sprite = takeSprite(&in, display.pixelMode == 1 ? 1 : 3);
            const int32_t x = takeCoordinate(&in, w);
            pixelOps.blitSprite(x, takeCoordinate(&in, h), sprite.data());
            break;
        }
        case 14: {
            areaBound = false;
            const std::vector<uint8_t> sprite = takeSprite(&in, 4);
            const int32_t x = takeCoordinate(&in, w);
            blitSpriteAlpha(x, takeCoordinate(&in, h), sprite.data());
            break;
        }
        case 15: {
            // 8-bit outlines and boxes run on into the bytes that follow, by design.
            areaBound = false;
            uint32_t c[4];
            for (int i = 0; i < 4; ++i) {
                c[i] = static_cast<uint32_t>(takeCoordinate(&in, i % 2 == 0 ? w : h));
            }
            if (display.pixelMode == pixelModePalettized) {
                if (takeByte(&in) % 2 == 0) {
                    frameBox(c[0], c[1], c[2], c[3], colour);
                } else {
                    fillBox(c[0], c[1], c[2], c[3], colour);
                }
            }
            break;
        }
        case 16: {
            const int32_t x1 = takeCoordinate(&in, w);
            const int32_t y1 = takeCoordinate(&in, h);
            const int32_t x2 = takeCoordinate(&in, w);
            setClipWindow(x1, y1, x2, takeCoordinate(&in, h));
            remember();
            break;
        }
        case 17:
            clearClipWindow();
            remember();
            break;
        case 18: {
            const int32_t newWidth = 1 + takeByte(&in) % 40;
            const int32_t newHeight = 1 + takeByte(&in) % 30;
            const PixelMode modes[] = {1, 3, 4, 2};
            (void)changeDisplayMode(newWidth, newHeight, modes[takeByte(&in) % 4]);
            remember();
            break;
        }
        case 19:
            minimiseAndRestore();
            remember();
            break;
        case 20:
            areaBound = false;
            if (takeByte(&in) % 2 == 0) {
                presentFrame();
            } else {
                presentAndClear(static_cast<uint8_t>(colour));
            }
            break;
        case 21:
            setPaletteEntry(static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                            static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 24));
            break;
        case 22: {
            const int32_t x = takeCoordinate(&in, w);
            const int32_t y = takeCoordinate(&in, h);
            pixelOps.fillRectLayer(x, y, takeCoordinate(&in, w), takeCoordinate(&in, h), colour);
            break;
        }
        case 23: {
            const float x1 = takePosition(&in, w);
            const float y1 = takePosition(&in, h);
            const float x2 = takePosition(&in, w);
            checkClipPromise(x1, y1, x2, takePosition(&in, h));
            break;
        }
        default:
            clearLayerBuffer(static_cast<uint8_t>(colour));
            break;
        }
        if (areaBound) {
            checkOutsideUntouched("an area-bound operation");
        }
    }
    resetEverything();
    return 0;
}
