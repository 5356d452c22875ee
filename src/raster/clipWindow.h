// The clip window: a rectangle of the screen that becomes the whole drawing area of every
// raster operation. It costs nothing per pixel: the buffer bases move to the window's corner
// and screenWidth / screenHeight shrink to its size, so the ordinary bounds tests clip to it.
#pragma once

#include <cstdint>

// screenWidth and screenHeight of the whole screen while a window is set.
extern int32_t savedWidth;
extern int32_t savedHeight;
// The window's top-left corner in whole-screen coordinates; 0 while no window is set.
extern int32_t clipOriginX;
extern int32_t clipOriginY;
// An origin of (0, 0) is also a window's, so whether one is set is kept apart.
extern bool clipWindowSet;

// Narrows the area to columns x1 <= x < x2 and rows y1 <= y < y2 of the current area, cut to
// it; the mouse position moves into window coordinates with it. x1 >= x2, y1 >= y2 or a
// rectangle that misses the area gives an empty window in which nothing is drawn. Setting a
// window while one is set narrows that window further; clearClipWindow returns to the whole
// screen either way.
void setClipWindow(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Back to the whole screen and screen coordinates; does nothing while no window is set.
void clearClipWindow();

// A window taken away for an operation that needs the whole screen (presentation, fills,
// re-locks, suspension) and put back after it, where it was, cut to the screen then in force.
struct LiftedClipWindow {
    bool wasSet;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
};
LiftedClipWindow liftClipWindow();
void restoreClipWindow(const LiftedClipWindow& lifted);

// The whole screen for the life of a block: a clip window is lifted when the guard is made and
// put back when it goes, on every way out of the block. Every operation that needs the whole
// screen takes one; only the suspension of a minimised display keeps a lifted window across
// calls, and lifts it by hand.
class WholeScreen {
  public:
    WholeScreen() : lifted(liftClipWindow()) {}
    ~WholeScreen() { restoreClipWindow(lifted); }
    WholeScreen(const WholeScreen&) = delete;
    WholeScreen& operator=(const WholeScreen&) = delete;

  private:
    LiftedClipWindow lifted;
};

// Drops the window state without touching the display record, for a record that has been
// replaced as a whole.
void forgetClipWindow();

// screenHeight of the whole screen, window or not.
int32_t wholeScreenHeight();
// Bytes from the back buffer's base, moved by a window, to the end of the whole buffer of
// the given pitch. Writes that "continue into the bytes that follow" stop there.
int64_t backBytesFromBase(int32_t pitch);
