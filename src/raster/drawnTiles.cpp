#include "raster/drawnTiles.h"

#include "raster/clipWindow.h"
#include "raster/lines.h"
#include "record/displayState.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

DrawnTiles current;
DrawnTiles previous;

int32_t bandsOf(const DrawnTiles& record) {
    return (record.height + drawnTileHeight - 1) / drawnTileHeight;
}

void markTiles(DrawnTiles& record, int32_t band, int32_t first, int32_t last) {
    uint64_t* row = record.tiles.data() + static_cast<size_t>(band) * record.words;
    const int32_t firstWord = first >> 6;
    const int32_t lastWord = last >> 6;
    const uint64_t fromFirst = ~uint64_t{0} << (first & 63);
    const uint64_t toLast = ~uint64_t{0} >> (63 - (last & 63));
    if (firstWord == lastWord) {
        row[firstWord] |= fromFirst & toLast;
        return;
    }
    row[firstWord] |= fromFirst;
    for (int32_t w = firstWord + 1; w < lastWord; ++w) {
        row[w] = ~uint64_t{0};
    }
    row[lastWord] |= toLast;
}

// Marks the tiles of one band whose pixels lie within [left, right] (unclipped, in pixels).
void markSpan(DrawnTiles& record, int32_t band, double left, double right) {
    if (right < 0 || left >= record.width) {
        return;
    }
    const int32_t first = left > 0 ? static_cast<int32_t>(left) / drawnTileWidth : 0;
    const int32_t last = right < record.width - 1 ? static_cast<int32_t>(right) / drawnTileWidth
                                                  : record.tilesAcross - 1;
    markTiles(record, band, first, last);
}

void markDot(DrawnTiles& record, float x, float y) {
    const uint32_t column = toPixelCoordinate(x);
    const uint32_t row = toPixelCoordinate(y);
    if (column < static_cast<uint32_t>(record.width) &&
        row < static_cast<uint32_t>(record.height)) {
        const int32_t tile = static_cast<int32_t>(column) / drawnTileWidth;
        markTiles(record, static_cast<int32_t>(row) / drawnTileHeight, tile, tile);
    }
}

bool sameScreen(const DrawnTiles& record) {
    return display.screenWidth == record.width && display.screenHeight == record.height;
}

// What a line's ends as given settle: true when its walk is still to be marked.
bool lineLeftToMark(DrawnTiles& record, float x1, float y1, float x2, float y2) {
    if (!record.known) {
        return false;
    }
    if (clipWindowSet || !sameScreen(record) || std::isnan(x1) || std::isnan(y1) ||
        std::isnan(x2) || std::isnan(y2)) {
        record.known = false;
        return false;
    }
    if (x1 == x2 && y1 == y2) {
        markDot(record, x1, y1); // a dot, or a line of one pixel at that end
        return false;
    }
    return true;
}

// The walk runs between the clipped ends, so the path is taken from those. Positions truncate
// to pixels, so the rows of a band and the columns of a tile take in the positions up to a
// whole pixel beyond their last.
void markClippedLine(DrawnTiles& record, float x1, float y1, float x2, float y2) {
    const double margin = lineStepStray(x1, y1, x2, y2);
    const double ax = x1;
    const double ay = y1;
    const double dx = static_cast<double>(x2) - ax;
    const double dy = static_cast<double>(y2) - ay;
    const double minY = std::fmin(ay, static_cast<double>(y2));
    const double maxY = std::fmax(ay, static_cast<double>(y2));
    const double lowY = minY - margin;
    const double highY = maxY + margin;
    const double lowX = std::fmin(ax, static_cast<double>(x2));
    const double highX = std::fmax(ax, static_cast<double>(x2));
    if (highY < 0 || lowY >= record.height) {
        return;
    }
    const int32_t firstBand = lowY > 0 ? static_cast<int32_t>(lowY) / drawnTileHeight : 0;
    const int32_t lastBand = highY < record.height - 1
                                 ? static_cast<int32_t>(highY) / drawnTileHeight
                                 : bandsOf(record) - 1;
    for (int32_t band = firstBand; band <= lastBand; ++band) {
        // The part of the line whose positions may truncate into the band's rows.
        const double top =
            std::fmax(static_cast<double>(band) * drawnTileHeight - 1 - margin, minY);
        const double bottom =
            std::fmin(static_cast<double>(band + 1) * drawnTileHeight + margin, maxY);
        if (top > bottom) {
            continue;
        }
        double left = lowX;
        double right = highX;
        if (dy != 0) {
            const double topX = ax + (top - ay) * dx / dy;
            const double bottomX = ax + (bottom - ay) * dx / dy;
            left = std::fmax(lowX, std::fmin(topX, bottomX));
            right = std::fmin(highX, std::fmax(topX, bottomX));
        }
        markSpan(record, band, left - margin, right + margin);
    }
}

} // namespace

void startDrawnTiles(DrawnTiles* record) {
    record->width = display.screenWidth;
    record->height = display.screenHeight;
    record->known = record->width > 0 && record->height > 0 && !clipWindowSet;
    if (!record->known) {
        record->tilesAcross = 0;
        record->words = 0;
        record->tiles.clear();
        return;
    }
    record->tilesAcross = (record->width + drawnTileWidth - 1) / drawnTileWidth;
    record->words = (record->tilesAcross + 63) / 64;
    record->tiles.assign(static_cast<size_t>(bandsOf(*record)) * record->words, 0);
}

void forgetDrawnTiles() {
    current = DrawnTiles{};
    previous = DrawnTiles{};
}

void forgetDrawnArea() {
    std::swap(current, previous);
    startDrawnTiles(&current);
}

void noteDrawnLine(float x1, float y1, float x2, float y2) {
    noteDrawnLineIn(&current, x1, y1, x2, y2);
}

void noteDrawnLineIn(DrawnTiles* tiles, float x1, float y1, float x2, float y2) {
    if (!lineLeftToMark(*tiles, x1, y1, x2, y2) || !clipLineToScreen(&x1, &y1, &x2, &y2)) {
        return;
    }
    markClippedLine(*tiles, x1, y1, x2, y2);
}

void noteClippedLine(const ClippedLine& line) {
    noteClippedLineIn(&current, line);
}

void noteClippedLineIn(DrawnTiles* tiles, const ClippedLine& line) {
    if (!lineLeftToMark(*tiles, line.x1, line.y1, line.x2, line.y2) || !line.onScreen) {
        return;
    }
    markClippedLine(*tiles, line.cx1, line.cy1, line.cx2, line.cy2);
}

void joinDrawnTiles(const DrawnTiles& part) {
    if (!current.known) {
        return;
    }
    if (!part.known || part.width != current.width || part.height != current.height) {
        current.known = false;
        return;
    }
    for (size_t i = 0; i < current.tiles.size(); ++i) {
        current.tiles[i] |= part.tiles[i];
    }
}

bool drawnAreaKnown() {
    return current.known && sameScreen(current) && !clipWindowSet;
}

bool previousDrawnAreaKnown() {
    return previous.known && sameScreen(previous) && drawnAreaKnown();
}

int32_t drawnBandCount() {
    return bandsOf(current);
}

bool nextDrawnRun(int32_t band, bool withPrevious, int32_t* first, int32_t* end) {
    if (band < 0 || static_cast<size_t>(band) * current.words >= current.tiles.size()) {
        return false;
    }
    const size_t offset = static_cast<size_t>(band) * current.words;
    const uint64_t* row = current.tiles.data() + offset;
    // The previous record is joined only where it has the same tiles; before the first frame's
    // it has none at all.
    const bool joined = withPrevious && previous.known && previous.width == current.width &&
                        previous.height == current.height &&
                        previous.tiles.size() == current.tiles.size();
    const uint64_t* before = joined ? previous.tiles.data() + offset : row;
    const auto word = [&](int32_t w) { return row[w] | before[w]; };
    int32_t tile = *first;
    // Skip to the first marked tile.
    for (;;) {
        if (tile >= current.tilesAcross) {
            return false;
        }
        const uint64_t rest = word(tile >> 6) >> (tile & 63);
        if (rest != 0) {
            tile += __builtin_ctzll(rest);
            break;
        }
        tile = (tile | 63) + 1;
    }
    if (tile >= current.tilesAcross) {
        return false;
    }
    *first = tile;
    // And on to the first unmarked one.
    for (;;) {
        const uint64_t rest = ~word(tile >> 6) >> (tile & 63);
        if (rest != 0) {
            tile += __builtin_ctzll(rest);
            break;
        }
        tile = (tile | 63) + 1;
        if (tile >= current.tilesAcross) {
            break;
        }
    }
    *end = tile < current.tilesAcross ? tile : current.tilesAcross;
    return true;
}

double drawnShare() {
    if (!drawnAreaKnown()) {
        return 1.0;
    }
    int64_t marked = 0;
    for (int32_t band = 0; band < drawnBandCount(); ++band) {
        const int32_t rows = std::min(drawnTileHeight, current.height - band * drawnTileHeight);
        int32_t tile = 0;
        int32_t end = 0;
        while (nextDrawnRun(band, false, &tile, &end)) {
            const int32_t right = std::min(end * drawnTileWidth, current.width);
            marked += static_cast<int64_t>(right - tile * drawnTileWidth) * rows;
            tile = end;
        }
    }
    return static_cast<double>(marked) / (static_cast<double>(current.width) * current.height);
}
