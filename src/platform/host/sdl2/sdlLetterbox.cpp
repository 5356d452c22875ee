#include "platform/host/sdl2/sdlLetterbox.h"

#include <cmath>

SdlLetterbox fitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
    areaWidth = areaWidth < 1 ? 1 : areaWidth;
    areaHeight = areaHeight < 1 ? 1 : areaHeight;
    pictureWidth = pictureWidth < 1 ? 1 : pictureWidth;
    pictureHeight = pictureHeight < 1 ? 1 : pictureHeight;
    // Compared in integers so that an exact fit is never lost to rounding.
    long long widthByHeight = static_cast<long long>(areaWidth) * pictureHeight;
    long long heightByWidth = static_cast<long long>(areaHeight) * pictureWidth;
    SdlLetterbox box;
    if (widthByHeight <= heightByWidth) {
        // Width-bound: bars above and below.
        box.width = areaWidth;
        box.height = static_cast<int>((widthByHeight + pictureWidth / 2) / pictureWidth);
    } else {
        box.height = areaHeight;
        box.width = static_cast<int>((heightByWidth + pictureHeight / 2) / pictureHeight);
    }
    box.width = box.width < 1 ? 1 : box.width;
    box.height = box.height < 1 ? 1 : box.height;
    box.x = (areaWidth - box.width) / 2;
    box.y = (areaHeight - box.height) / 2;
    return box;
}

SdlLetterbox placePicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight,
                          SdlScaling scaling) {
    if (scaling == SdlScaling::fit) {
        return fitPicture(areaWidth, areaHeight, pictureWidth, pictureHeight);
    }
    areaWidth = areaWidth < 1 ? 1 : areaWidth;
    areaHeight = areaHeight < 1 ? 1 : areaHeight;
    pictureWidth = pictureWidth < 1 ? 1 : pictureWidth;
    pictureHeight = pictureHeight < 1 ? 1 : pictureHeight;
    int across = areaWidth / pictureWidth;
    int down = areaHeight / pictureHeight;
    int factor = across < down ? across : down;
    if (factor < 1) {
        // Not even once: shown whole, smaller, rather than cut.
        return fitPicture(areaWidth, areaHeight, pictureWidth, pictureHeight);
    }
    SdlLetterbox box;
    box.width = pictureWidth * factor;
    box.height = pictureHeight * factor;
    box.x = (areaWidth - box.width) / 2;
    box.y = (areaHeight - box.height) / 2;
    return box;
}

static int rescale(int value, int from, int to) {
    return static_cast<int>((static_cast<long long>(value) * to + from / 2) / from);
}

SdlLetterbox rescaleBox(const SdlLetterbox& box, int fromWidth, int fromHeight, int toWidth,
                        int toHeight) {
    fromWidth = fromWidth < 1 ? 1 : fromWidth;
    fromHeight = fromHeight < 1 ? 1 : fromHeight;
    toWidth = toWidth < 1 ? 1 : toWidth;
    toHeight = toHeight < 1 ? 1 : toHeight;
    // The edges are rescaled, not the size, so that neighbouring edges stay together.
    SdlLetterbox scaled;
    scaled.x = rescale(box.x, fromWidth, toWidth);
    scaled.y = rescale(box.y, fromHeight, toHeight);
    int right = rescale(box.x + box.width, fromWidth, toWidth);
    int bottom = rescale(box.y + box.height, fromHeight, toHeight);
    scaled.width = right - scaled.x < 1 ? 1 : right - scaled.x;
    scaled.height = bottom - scaled.y < 1 ? 1 : bottom - scaled.y;
    return scaled;
}

static int toPicture(int windowCoordinate, int boxStart, int boxSize, int pictureSize) {
    double offset = static_cast<double>(windowCoordinate - boxStart) + 0.5;
    return static_cast<int>(std::floor(offset * pictureSize / boxSize));
}

void windowToPicture(const SdlLetterbox& box, int pictureWidth, int pictureHeight, int windowX,
                     int windowY, int* pictureX, int* pictureY) {
    *pictureX = toPicture(windowX, box.x, box.width, pictureWidth);
    *pictureY = toPicture(windowY, box.y, box.height, pictureHeight);
}

static int toWindow(int pictureCoordinate, int boxStart, int boxSize, int pictureSize) {
    double centre = (static_cast<double>(pictureCoordinate) + 0.5) * boxSize / pictureSize;
    return boxStart + static_cast<int>(std::floor(centre));
}

void pictureToWindow(const SdlLetterbox& box, int pictureWidth, int pictureHeight, int pictureX,
                     int pictureY, int* windowX, int* windowY) {
    *windowX = toWindow(pictureX, box.x, box.width, pictureWidth < 1 ? 1 : pictureWidth);
    *windowY = toWindow(pictureY, box.y, box.height, pictureHeight < 1 ? 1 : pictureHeight);
}

int scaleMotion(int windowDelta, int boxSize, int pictureSize, float* remainder) {
    float scaled = *remainder + static_cast<float>(windowDelta) * static_cast<float>(pictureSize) /
                                    static_cast<float>(boxSize < 1 ? 1 : boxSize);
    float whole = std::trunc(scaled);
    *remainder = scaled - whole;
    // A wild report must not overflow; the cursor is clamped to the screen anyway.
    const float limit = 1.0e9f;
    return static_cast<int>(whole < -limit ? -limit : whole > limit ? limit : whole);
}
