#include "raster/clipWindow.h"

#include "record/displayState.h"
#include "util/numeric.h"
#include "window/inputState.h"

#include <cstddef>

int32_t savedWidth;
int32_t savedHeight;
int32_t clipOriginX;
int32_t clipOriginY;
bool clipWindowSet;

namespace {

// A buffer that is not there (no layer, an unlocked surface) is not moved.
void moveBuffer(uint8_t*& buffer, int32_t pitch, int64_t dx, int64_t dy) {
    if (buffer != nullptr) {
        buffer += static_cast<ptrdiff_t>(dx * display.pixelMode + dy * pitch);
    }
}

// Puts the window at (originX, originY) of the whole screen with the given size; the buffers
// and the mouse move by the difference from the current origin.
void placeWindow(int32_t originX, int32_t originY, int32_t width, int32_t height) {
    if (!clipWindowSet) {
        savedWidth = display.screenWidth;
        savedHeight = display.screenHeight;
        clipWindowSet = true;
    }
    const int64_t dx = static_cast<int64_t>(originX) - clipOriginX;
    const int64_t dy = static_cast<int64_t>(originY) - clipOriginY;
    moveBuffer(display.backBuffer, display.backPitch, dx, dy);
    moveBuffer(display.layerBuffer, display.layerPitch, dx, dy);
    mouseX = static_cast<int32_t>(mouseX - dx);
    mouseY = static_cast<int32_t>(mouseY - dy);
    clipOriginX = originX;
    clipOriginY = originY;
    display.screenWidth = width;
    display.screenHeight = height;
}

// Nothing passes the bounds tests; the buffers and the mouse stay where they are.
void emptyWindow() {
    placeWindow(clipOriginX, clipOriginY, 0, 0);
}

} // namespace

void setClipWindow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x1 >= x2 || y1 >= y2) {
        emptyWindow();
        return;
    }
    x1 = atLeastZeroInt(x1);
    y1 = atLeastZeroInt(y1);
    x2 = minInt(x2, display.screenWidth);
    y2 = minInt(y2, display.screenHeight);
    // Cut to the area, a rectangle that misses it has no size left.
    if (x1 >= x2 || y1 >= y2) {
        emptyWindow();
        return;
    }
    placeWindow(clipOriginX + x1, clipOriginY + y1, x2 - x1, y2 - y1);
}

void clearClipWindow() {
    if (!clipWindowSet) {
        return;
    }
    moveBuffer(display.backBuffer, display.backPitch, -clipOriginX, -clipOriginY);
    moveBuffer(display.layerBuffer, display.layerPitch, -clipOriginX, -clipOriginY);
    display.screenWidth = savedWidth;
    display.screenHeight = savedHeight;
    mouseX = static_cast<int32_t>(static_cast<int64_t>(mouseX) + clipOriginX);
    mouseY = static_cast<int32_t>(static_cast<int64_t>(mouseY) + clipOriginY);
    clipOriginX = 0;
    clipOriginY = 0;
    clipWindowSet = false;
}

LiftedClipWindow liftClipWindow() {
    LiftedClipWindow lifted{};
    if (!clipWindowSet) {
        return lifted;
    }
    lifted.wasSet = true;
    lifted.x1 = clipOriginX;
    lifted.y1 = clipOriginY;
    lifted.x2 = clipOriginX + display.screenWidth;
    lifted.y2 = clipOriginY + display.screenHeight;
    clearClipWindow();
    return lifted;
}

void restoreClipWindow(const LiftedClipWindow& lifted) {
    if (!lifted.wasSet) {
        return;
    }
    clearClipWindow();
    // Cut to the screen as it is now, which may have been opened again meanwhile. An empty
    // window keeps its corner, as it had it.
    const int32_t x1 = minInt(atLeastZeroInt(lifted.x1), display.screenWidth);
    const int32_t y1 = minInt(atLeastZeroInt(lifted.y1), display.screenHeight);
    const int32_t x2 = maxInt(minInt(lifted.x2, display.screenWidth), x1);
    const int32_t y2 = maxInt(minInt(lifted.y2, display.screenHeight), y1);
    if (x1 == x2 || y1 == y2) {
        placeWindow(x1, y1, 0, 0);
    } else {
        placeWindow(x1, y1, x2 - x1, y2 - y1);
    }
}

void forgetClipWindow() {
    savedWidth = 0;
    savedHeight = 0;
    clipOriginX = 0;
    clipOriginY = 0;
    clipWindowSet = false;
}

int32_t wholeScreenHeight() {
    return clipWindowSet ? savedHeight : display.screenHeight;
}

int64_t backBytesFromBase(int32_t pitch) {
    const int64_t whole = static_cast<int64_t>(pitch) * wholeScreenHeight();
    if (!clipWindowSet) {
        return whole;
    }
    return whole - (static_cast<int64_t>(clipOriginX) * display.pixelMode +
                    static_cast<int64_t>(clipOriginY) * pitch);
}
