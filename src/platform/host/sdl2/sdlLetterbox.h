// Where the picture sits in the window: scaled to fit, its aspect kept, or by a whole factor,
// centred, with black bars on the sides that are left over. Also the way back, from window
// points to picture pixels, and from the renderer's pixels to window points (HiDPI screens have
// more pixels than points).
#pragma once

struct SdlLetterbox {
    int x; // the picture's rectangle in the window
    int y;
    int width;  // at least 1
    int height; // at least 1
};

enum class SdlScaling {
    fit,    // as large as the area allows, the aspect kept
    integer // the largest whole multiple that fits; a picture larger than the area is fitted
};

// An area or picture size below 1 is taken as 1.
SdlLetterbox fitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);
SdlLetterbox placePicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight,
                          SdlScaling scaling);

// The same rectangle measured in another unit: a box in the renderer's output pixels (`fromWidth`
// by `fromHeight`) as window points (`toWidth` by `toHeight`). Sizes below 1 are taken as 1.
SdlLetterbox rescaleBox(const SdlLetterbox& box, int fromWidth, int fromHeight, int toWidth,
                        int toHeight);

// A window point to the picture pixel under it; points on the bars give pixels outside the
// picture (negative, or at least its size), which the cursor's clamp takes care of.
void windowToPicture(const SdlLetterbox& box, int pictureWidth, int pictureHeight, int windowX,
                     int windowY, int* pictureX, int* pictureY);

// The centre of a picture pixel in window points.
void pictureToWindow(const SdlLetterbox& box, int pictureWidth, int pictureHeight, int pictureX,
                     int pictureY, int* windowX, int* windowY);

// A relative motion of `windowDelta` window points in picture pixels. Whole pixels are returned;
// the fraction stays in `remainder` for the next motion, so slow movements are not lost.
int scaleMotion(int windowDelta, int boxSize, int pictureSize, float* remainder);
