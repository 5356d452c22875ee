#include "display/frontBuffer.h"

#include "display/surfaceAccess.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "window/fatalError.h"

#include <cstring>

void lockFrontBuffer() {
    display.savedPixelMode = display.pixelMode;
    checkDirectDraw(
        1234, display.primarySurface->Lock(nullptr, &display.primaryDesc, DDLOCK_WAIT, nullptr));
    takeLockedBuffer(display.primaryDesc, display.frontBuffer, display.frontPitch);
}

void unlockFrontBuffer() {
    display.primarySurface->Unlock(nullptr);
    if (display.pixelMode != display.savedPixelMode) {
        display.pixelMode = display.savedPixelMode;
        selectPixelOps();
    }
}

void clearFrontBuffer(uint8_t value) {
    if (display.frontBuffer == nullptr || display.screenWidth <= 0) {
        return;
    }
    size_t rowBytes = (size_t)display.screenWidth * (size_t)display.pixelMode;
    for (int32_t y = 0; y < display.screenHeight; y++) {
        std::memset(display.frontBuffer + (size_t)y * (size_t)display.frontPitch, value, rowBytes);
    }
}
