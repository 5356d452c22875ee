#include "display/presentation.h"

#include "display/displayState.h"
#include "display/surfaceAccess.h"

#include <cstring>

static void fillBuffer(uint8_t* buffer, int32_t pitch, uint8_t value) {
    if (buffer == nullptr || pitch <= 0 || display.screenHeight <= 0) {
        return;
    }
    std::memset(buffer, value, (size_t)pitch * (size_t)display.screenHeight);
}

void presentFrame() {
    RECT source = wholeScreenRect();
    display.backSurface->Unlock(nullptr);
    display.primarySurface->BltFast(0, 0, display.backSurface, &source, DDBLTFAST_WAIT);
    display.backSurface->Lock(nullptr, &display.backDesc, DDLOCK_WAIT, nullptr);
    takeLockedBuffer(display.backDesc, display.backBuffer, display.backPitch);
}

void presentAndClear(uint8_t value) {
    presentFrame();
    fillBuffer(display.backBuffer, display.backPitch, value);
}

void clearAndPresent(uint8_t value) {
    fillBuffer(display.backBuffer, display.backPitch, value);
    presentAndClear(value);
}

void clearLayerBuffer(uint8_t value) {
    fillBuffer(display.layerBuffer, display.layerPitch, value);
}

void clearAllAndPresent(uint8_t value) {
    fillBuffer(display.backBuffer, display.backPitch, value);
    fillBuffer(display.layerBuffer, display.layerPitch, value);
    presentAndClear(value);
}
