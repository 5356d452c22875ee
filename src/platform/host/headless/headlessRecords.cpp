// What the headless screen shows and what the program asked of the host, for tests to read.
#include "platform/host/headless/headlessState.h"

#include <cstddef>
#include <cstring>

// What an empty list of changes points at: not null, which says the whole frame changed.
static const RECT noChanges = {0, 0, 0, 0};

// Rows without padding are read where they are, until the layer frees them; others are copied.
void headlessRecordFrame(const HostFrame* frame) {
    const size_t rowBytes =
        static_cast<size_t>(frame->width) * static_cast<size_t>(frame->bytesPerPixel);
    const BYTE* pixels = frame->pixels;
    headless.borrowedPixels = nullptr;
    if (static_cast<size_t>(frame->pitch) == rowBytes) {
        headless.borrowedPixels = frame->pixels;
        headless.borrowedBytes = rowBytes * static_cast<size_t>(frame->height);
    } else {
        headless.framePixels.resize(rowBytes * static_cast<size_t>(frame->height));
        for (int y = 0; y < frame->height; y++) {
            std::memcpy(headless.framePixels.data() + rowBytes * static_cast<size_t>(y),
                        frame->pixels + static_cast<std::ptrdiff_t>(frame->pitch) * y, rowBytes);
        }
        pixels = headless.framePixels.data();
    }
    for (int i = 0; i < 256; i++) {
        headless.framePalette[i] =
            frame->palette ? PALETTEENTRY{frame->palette[i].red, frame->palette[i].green,
                                          frame->palette[i].blue, frame->palette[i].flags}
                           : PALETTEENTRY{0, 0, 0, 0};
    }
    if (frame->palette) {
        std::memcpy(headless.screenPalette, headless.framePalette, sizeof headless.screenPalette);
    }
    headless.frameChanges.clear();
    for (int i = 0; frame->changed != nullptr && i < frame->changedCount; i++) {
        const HostRect& rect = frame->changed[i];
        headless.frameChanges.push_back(
            RECT{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height});
    }
    headless.presentCount++;
    headless.lastFrame = {pixels,
                          frame->width,
                          frame->height,
                          frame->bytesPerPixel,
                          headless.framePalette,
                          headless.presentCount,
                          frame->changed == nullptr       ? nullptr
                          : headless.frameChanges.empty() ? &noChanges
                                                          : headless.frameChanges.data(),
                          frame->changed != nullptr ? frame->changedCount : 0};
    if (headless.presentHook) {
        headless.presentHook(&headless.lastFrame, headless.presentContext);
    }
}

void headlessSurfaceMemoryGoing(const uint8_t* pixels) {
    if (headless.borrowedPixels == nullptr || pixels != headless.borrowedPixels) {
        return;
    }
    headless.framePixels.assign(headless.borrowedPixels,
                                headless.borrowedPixels + headless.borrowedBytes);
    headless.borrowedPixels = nullptr;
    headless.lastFrame.pixels = headless.framePixels.data();
}

HeadlessDisplayMode headlessDisplayMode(void) {
    return headless.displayMode;
}

const HeadlessFrame* headlessLastFrame(void) {
    return headless.presentCount ? &headless.lastFrame : nullptr;
}

int headlessPresentCount(void) {
    return headless.presentCount;
}

const PALETTEENTRY* headlessScreenPalette(void) {
    return headless.screenPalette;
}

int headlessMessageBoxCount(void) {
    return headless.messageBoxCount;
}

const char* headlessLastMessageBoxText(void) {
    return headless.messageBoxText.c_str();
}

const char* headlessLastMessageBoxCaption(void) {
    return headless.messageBoxCaption.c_str();
}

UINT headlessLastMessageBoxFlags(void) {
    return headless.messageBoxFlags;
}

bool headlessCursorVisible(void) {
    return headless.cursorVisible;
}

int headlessWarpCount(void) {
    return headless.warpCount;
}

POINT headlessLastWarp(void) {
    return headless.lastWarp;
}

int headlessMinimiseCount(void) {
    return headless.minimiseCount;
}

const char* headlessWindowTitle(void) {
    return headless.windowTitle.c_str();
}
