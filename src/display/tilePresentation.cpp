#include "display/tilePresentation.h"

#include "display/presentation.h"
#include "display/surfaceAccess.h"
#include "platform/hostWindow.h"
#include "raster/clipWindow.h"
#include "raster/drawnTiles.h"
#include "record/displayState.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// The back buffer as the frame loop's last clear left it: zero outside the tiles of the drawn
// area; and the screen as its last presentation left it: a copy of the back buffer then.
struct ClearedBuffer {
    uint8_t* buffer;
    int32_t pitch;
    uint64_t presentations; // presentationCount() after that clear
    LPDIRECTDRAWSURFACE screen;
    LPDIRECTDRAWSURFACE back;
    PixelMode mode;
    uint32_t partialPresents; // since the last whole one
};

ClearedBuffer cleared;

// Now and then the whole screen, in case something other than the frame loop drew on it (a
// restored surface, another program's window on real DirectDraw).
const uint32_t partialPresentsBetweenWhole = 63;

size_t runBytes(int32_t first, int32_t end, size_t pixelBytes) {
    const int32_t right =
        end * drawnTileWidth < display.screenWidth ? end * drawnTileWidth : display.screenWidth;
    return static_cast<size_t>(right - first * drawnTileWidth) * pixelBytes;
}

int32_t bandEnd(int32_t top) {
    return top + drawnTileHeight < display.screenHeight ? top + drawnTileHeight
                                                        : display.screenHeight;
}

// Zeroes the band's tiles this frame drew on.
void clearDrawnBand(int32_t band) {
    const size_t pixelBytes = static_cast<size_t>(display.pixelMode);
    const int32_t top = band * drawnTileHeight;
    const int32_t bottom = bandEnd(top);
    int32_t first = 0;
    int32_t end = 0;
    while (nextDrawnRun(band, false, &first, &end)) {
        const size_t bytes = runBytes(first, end, pixelBytes);
        uint8_t* row = display.backBuffer + static_cast<size_t>(top) * display.backPitch +
                       first * drawnTileWidth * pixelBytes;
        for (int32_t y = top; y < bottom; ++y, row += display.backPitch) {
            std::memset(row, 0, bytes);
        }
        first = end;
    }
}

// The rectangles a tile present copies, for the host: runs of tiles, each grown down through
// the bands below it while they have a run of the same columns.
struct ChangedRectangles {
    std::vector<HostRect> rects;
    std::vector<int32_t> open; // rects that end at the current band's top, left to right
    std::vector<int32_t> next;
    size_t openAt;
};

ChangedRectangles changes;

void startChanges() {
    changes.rects.clear();
    changes.open.clear();
}

void startBandChanges() {
    changes.next.clear();
    changes.openAt = 0;
}

void noteChangedRun(int32_t top, int32_t bottom, int32_t first, int32_t end) {
    const int32_t left = first * drawnTileWidth;
    const int32_t right =
        end * drawnTileWidth < display.screenWidth ? end * drawnTileWidth : display.screenWidth;
    while (changes.openAt < changes.open.size() &&
           changes.rects[changes.open[changes.openAt]].x < left) {
        ++changes.openAt;
    }
    if (changes.openAt < changes.open.size()) {
        HostRect& above = changes.rects[changes.open[changes.openAt]];
        if (above.x == left && above.width == right - left) {
            above.height += bottom - top;
            changes.next.push_back(changes.open[changes.openAt]);
            ++changes.openAt;
            return;
        }
    }
    changes.next.push_back(static_cast<int32_t>(changes.rects.size()));
    changes.rects.push_back({left, top, right - left, bottom - top});
}

void endBandChanges() {
    std::swap(changes.open, changes.next);
}

// The copy and clear of one part's bands, for the runner.
struct PartWork {
    uint8_t* screen;
    int32_t screenPitch;
    int32_t bandsPerPart;
    bool present; // copy to the screen before clearing
};

PartWork partWork;
TilePartRunner partRunner = nullptr;

// Bands of a few thousand pixels' rows each, enough for two threads to share unevenly.
const int32_t tileParts = 16;

// Copies to the screen the band's tiles this frame or the one before drew on (everywhere else
// both the screen and the back buffer are black). Where only the frame before drew, the back
// buffer is black already, so the screen is zeroed without reading it.
void presentDrawnBand(int32_t band, uint8_t* screen, int32_t screenPitch) {
    const size_t pixelBytes = static_cast<size_t>(display.pixelMode);
    const int32_t top = band * drawnTileHeight;
    const int32_t bottom = bandEnd(top);
    uint8_t* const backRow = display.backBuffer + static_cast<size_t>(top) * display.backPitch;
    uint8_t* const screenRow = screen + static_cast<size_t>(top) * screenPitch;
    // From tile first to tile end: copied where drawn now, zeroed where drawn before only.
    const auto show = [&](int32_t first, int32_t end, bool drawn) {
        if (end <= first) {
            return;
        }
        const size_t bytes = runBytes(first, end, pixelBytes);
        const size_t offset = first * drawnTileWidth * pixelBytes;
        const uint8_t* from = backRow + offset;
        uint8_t* to = screenRow + offset;
        for (int32_t y = top; y < bottom; ++y) {
            if (drawn) {
                std::memcpy(to, from, bytes);
            } else {
                std::memset(to, 0, bytes);
            }
            from += display.backPitch;
            to += screenPitch;
        }
    };
    int32_t first = 0;
    int32_t end = 0;
    int32_t now = 0; // this frame's runs, each inside one of both frames'
    int32_t nowEnd = 0;
    bool nowLeft = nextDrawnRun(band, false, &now, &nowEnd);
    while (nextDrawnRun(band, true, &first, &end)) {
        int32_t shown = first;
        while (nowLeft && now < end) {
            show(shown, now, false);
            show(now, nowEnd, true);
            shown = nowEnd;
            now = nowEnd;
            nowLeft = nextDrawnRun(band, false, &now, &nowEnd);
        }
        show(shown, end, false);
        first = end;
    }
}

void doPart(int32_t part) {
    const int32_t firstBand = part * partWork.bandsPerPart;
    int32_t endBand = firstBand + partWork.bandsPerPart;
    endBand = endBand < drawnBandCount() ? endBand : drawnBandCount();
    for (int32_t band = firstBand; band < endBand; ++band) {
        if (partWork.present) {
            presentDrawnBand(band, partWork.screen, partWork.screenPitch);
        }
        clearDrawnBand(band);
    }
}

// Copies and clears band by band, each band's clear while its tiles are still in the cache.
void runParts(bool present, uint8_t* screen, int32_t screenPitch) {
    const int32_t bands = drawnBandCount();
    partWork = {screen, screenPitch, (bands + tileParts - 1) / tileParts, present};
    if (partWork.bandsPerPart == 0) {
        return;
    }
    const int32_t parts = (bands + partWork.bandsPerPart - 1) / partWork.bandsPerPart;
    if (partRunner != nullptr) {
        partRunner(doPart, parts);
        return;
    }
    for (int32_t part = 0; part < parts; ++part) {
        doPart(part);
    }
}

void clearDrawnTiles() {
    runParts(false, nullptr, 0);
}

// Copies to the screen the tiles this frame or the one before drew on and zeroes this frame's.
// False, with nothing done, when the screen could not be locked.
bool presentAndClearDrawnTiles() {
    uint8_t* screen;
    int32_t screenPitch;
    if (!lockScreen(&screen, &screenPitch)) {
        return false;
    }
    startChanges();
    for (int32_t band = 0; band < drawnBandCount(); ++band) {
        const int32_t top = band * drawnTileHeight;
        const int32_t bottom = bandEnd(top);
        int32_t first = 0;
        int32_t end = 0;
        startBandChanges();
        while (nextDrawnRun(band, true, &first, &end)) {
            noteChangedRun(top, bottom, first, end);
            first = end;
        }
        endBandChanges();
    }
    runParts(true, screen, screenPitch);
    tellHostScreenChanges(changes.rects.data(), static_cast<int>(changes.rects.size()));
    unlockScreen();
    return true;
}

} // namespace

void presentAndClearScene() {
    const bool tilesSuffice =
        drawnAreaKnown() && !clipWindowSet && display.backBuffer != nullptr &&
        display.backBuffer == cleared.buffer && display.backPitch == cleared.pitch &&
        display.pixelMode == cleared.mode && display.backSurface == cleared.back &&
        presentationCount() == cleared.presentations;
    const bool partial = tilesSuffice && previousDrawnAreaKnown() &&
                         display.primarySurface == cleared.screen &&
                         cleared.partialPresents < partialPresentsBetweenWhole;
    if (partial && presentAndClearDrawnTiles()) {
        ++cleared.partialPresents;
    } else if (!tilesSuffice) {
        presentAndClear(0);
        cleared.partialPresents = 0;
    } else {
        presentFrame();
        cleared.partialPresents = 0;
        if (display.backBuffer != cleared.buffer || display.backPitch != cleared.pitch) {
            // The re-lock moved the buffer: its bytes are unknown.
            if (display.backBuffer != nullptr && display.backPitch > 0) {
                std::memset(display.backBuffer, 0,
                            static_cast<size_t>(display.backPitch) * display.screenHeight);
            }
        } else {
            clearDrawnTiles();
        }
    }
    cleared.buffer = display.backBuffer;
    cleared.pitch = display.backPitch;
    cleared.presentations = presentationCount();
    cleared.screen = display.primarySurface;
    cleared.back = display.backSurface;
    cleared.mode = display.pixelMode;
    forgetDrawnArea();
}

void setTilePartRunner(TilePartRunner runner) {
    partRunner = runner;
}
