#include "platform/host/sdl2/sdlLetterbox.h"

#include <gtest/gtest.h>

static void expectBox(const SdlLetterbox& box, int x, int y, int width, int height) {
    EXPECT_EQ(box.x, x);
    EXPECT_EQ(box.y, y);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

TEST(Letterbox, FitsKeepingTheAspect) {
    expectBox(fitPicture(1024, 768, 800, 600), 0, 0, 1024, 768);     // same aspect: no bars
    expectBox(fitPicture(1920, 1080, 800, 600), 240, 0, 1440, 1080); // bars left and right
    expectBox(fitPicture(1024, 768, 800, 400), 0, 128, 1024, 512);   // bars above and below
    expectBox(fitPicture(800, 600, 800, 600), 0, 0, 800, 600);
    expectBox(fitPicture(400, 300, 1600, 1200), 0, 0, 400, 300); // scaled down
    expectBox(fitPicture(1366, 768, 1024, 768), 171, 0, 1024, 768);
}

TEST(Letterbox, DegenerateSizesStayDrawable) {
    expectBox(fitPicture(0, 0, 800, 600), 0, 0, 1, 1);
    expectBox(fitPicture(1024, 768, 0, 0), 128, 0, 768, 768);
    SdlLetterbox thin = fitPicture(1024, 768, 16384, 1);
    EXPECT_EQ(thin.width, 1024);
    EXPECT_EQ(thin.height, 1); // never zero, however flat the picture
    EXPECT_EQ(thin.y, 383);
}

TEST(Letterbox, WindowPointsBecomePicturePixels) {
    SdlLetterbox box = fitPicture(1024, 768, 800, 400); // 1.28 times, 128 points of bar on top
    int x = 0;
    int y = 0;
    windowToPicture(box, 800, 400, 0, 128, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    windowToPicture(box, 800, 400, 1023, 639, &x, &y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 399);
    windowToPicture(box, 800, 400, 512, 384, &x, &y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 200);
    // On the bars: outside the picture, for the cursor's clamp.
    windowToPicture(box, 800, 400, 10, 20, &x, &y);
    EXPECT_LT(y, 0);
    windowToPicture(box, 800, 400, 10, 700, &x, &y);
    EXPECT_GE(y, 400);
}

TEST(Letterbox, PicturePixelsGoThereAndBack) {
    const int areas[][2] = {{1024, 768}, {1920, 1080}, {640, 480}, {333, 777}};
    const int pictures[][2] = {{800, 600}, {320, 200}, {1024, 768}, {1600, 1200}};
    for (const auto& area : areas) {
        for (const auto& picture : pictures) {
            SdlLetterbox box = fitPicture(area[0], area[1], picture[0], picture[1]);
            bool upscaled = box.width >= picture[0];
            for (int p = 0; p < picture[0]; p += 7) {
                int windowX = 0;
                int windowY = 0;
                pictureToWindow(box, picture[0], picture[1], p, p % picture[1], &windowX, &windowY);
                EXPECT_GE(windowX, box.x);
                EXPECT_LT(windowX, box.x + box.width);
                int backX = 0;
                int backY = 0;
                windowToPicture(box, picture[0], picture[1], windowX, windowY, &backX, &backY);
                if (upscaled) {
                    EXPECT_EQ(backX, p) << area[0] << "x" << area[1] << " " << picture[0];
                } else {
                    // Shrunk, several pixels share a point: the way back lands within a point.
                    EXPECT_LE(std::abs(backX - p), picture[0] / box.width + 1);
                }
            }
        }
    }
}

TEST(Letterbox, SlowMotionIsNotLost) {
    float remainder = 0;
    int total = 0;
    // 1024 window points show 800 pixels: a point is 0.78125 of a pixel.
    for (int i = 0; i < 64; i++) {
        total += scaleMotion(1, 1024, 800, &remainder);
    }
    EXPECT_EQ(total, 50);
    for (int i = 0; i < 64; i++) {
        total += scaleMotion(-1, 1024, 800, &remainder);
    }
    EXPECT_EQ(total, 0);
    EXPECT_FLOAT_EQ(remainder, 0.0f);
}

TEST(Letterbox, MotionScalesBothWays) {
    float remainder = 0;
    EXPECT_EQ(scaleMotion(100, 1024, 800, &remainder), 78);
    EXPECT_NEAR(remainder, 0.125f, 1e-4);
    remainder = 0;
    EXPECT_EQ(scaleMotion(-10, 400, 800, &remainder), -20); // a small window: bigger steps
    EXPECT_EQ(remainder, 0.0f);
    remainder = 0;
    EXPECT_EQ(scaleMotion(0x7FFFFFFF, 1, 16384, &remainder), 1000000000); // wild: bounded
    remainder = 0;
    EXPECT_EQ(scaleMotion(7, 0, 5, &remainder), 35); // an empty box counts as one point
}

TEST(IntegerScale, LargestWholeFactorCentred) {
    expectBox(placePicture(1920, 1080, 640, 480, SdlScaling::integer), 320, 60, 1280, 960);
    expectBox(placePicture(1920, 1080, 800, 600, SdlScaling::integer), 560, 240, 800, 600);
    expectBox(placePicture(3840, 2160, 640, 480, SdlScaling::integer), 640, 120, 2560, 1920);
    // Odd leftovers: the extra point goes to the right and below.
    expectBox(placePicture(1281, 961, 640, 480, SdlScaling::integer), 0, 0, 1280, 960);
    expectBox(placePicture(1279, 959, 640, 480, SdlScaling::integer), 319, 239, 640, 480);
    expectBox(placePicture(335, 780, 3, 7, SdlScaling::integer), 1, 1, 333, 777);
    // Exactly a whole multiple: no bars.
    expectBox(placePicture(1600, 1200, 800, 600, SdlScaling::integer), 0, 0, 1600, 1200);
    // Fit gives the same where the factor is whole.
    expectBox(placePicture(1600, 1200, 800, 600, SdlScaling::fit), 0, 0, 1600, 1200);
}

TEST(IntegerScale, SmallerThanOnceIsFittedWhole) {
    // The picture larger than the window: shown whole, shrunk, as fit would.
    expectBox(placePicture(800, 600, 1920, 1080, SdlScaling::integer), 0, 75, 800, 450);
    expectBox(placePicture(1, 1, 640, 480, SdlScaling::integer), 0, 0, 1, 1);
    expectBox(placePicture(1, 1, 1, 1, SdlScaling::integer), 0, 0, 1, 1);
    expectBox(placePicture(0, -5, 1, 1, SdlScaling::integer), 0, 0, 1, 1);
    expectBox(placePicture(7, 3, 0, 0, SdlScaling::integer), 2, 0, 3, 3);
    // One dimension fits many times, the other not once.
    expectBox(placePicture(16384, 10, 1, 100, SdlScaling::integer), 8191, 0, 1, 10);
    // Extreme aspects keep their whole factor and never overflow.
    expectBox(placePicture(16384, 1, 1, 1, SdlScaling::integer), 8191, 0, 1, 1);
    expectBox(placePicture(16384, 16384, 16384, 1, SdlScaling::integer), 0, 8191, 16384, 1);
    expectBox(placePicture(100000, 100000, 1, 1, SdlScaling::integer), 0, 0, 100000, 100000);
}

TEST(IntegerScale, MouseMapsBackToThePixelItShows) {
    // 640 x 480 twice over on 1920 x 1080: window point 320 + 2k and 321 + 2k show pixel k.
    SdlLetterbox box = placePicture(1920, 1080, 640, 480, SdlScaling::integer);
    for (int k = 0; k < 640; k += 13) {
        int x = 0;
        int y = 0;
        windowToPicture(box, 640, 480, 320 + 2 * k, 60 + 2 * (k % 480), &x, &y);
        EXPECT_EQ(x, k);
        EXPECT_EQ(y, k % 480);
        windowToPicture(box, 640, 480, 321 + 2 * k, 61 + 2 * (k % 480), &x, &y);
        EXPECT_EQ(x, k);
        int backX = 0;
        int backY = 0;
        pictureToWindow(box, 640, 480, k, k % 480, &backX, &backY);
        EXPECT_EQ(backX, 321 + 2 * k); // the centre of the two points
    }
    int x = 0;
    int y = 0;
    windowToPicture(box, 640, 480, 319, 59, &x, &y); // on the bars
    EXPECT_LT(x, 0);
    EXPECT_LT(y, 0);
    windowToPicture(box, 640, 480, 1600, 1020, &x, &y);
    EXPECT_GE(x, 640);
    EXPECT_GE(y, 480);
    // Steering: a point is half a pixel, the same feel as a fitted picture twice as large.
    float remainder = 0;
    EXPECT_EQ(scaleMotion(101, box.width, 640, &remainder), 50);
    EXPECT_FLOAT_EQ(remainder, 0.5f);
}

TEST(HighDensity, OutputPixelsBecomeWindowPoints) {
    // A 2x screen: 3840 x 2160 pixels in a 1920 x 1080 point window. Factor 4 in pixels is
    // the same place as factor 2 in points: steering feels as on a 1x screen.
    SdlLetterbox pixels = placePicture(3840, 2160, 640, 480, SdlScaling::integer);
    expectBox(pixels, 640, 120, 2560, 1920);
    SdlLetterbox points = rescaleBox(pixels, 3840, 2160, 1920, 1080);
    expectBox(points, 320, 60, 1280, 960);
    int x = 0;
    int y = 0;
    windowToPicture(points, 640, 480, 1599, 1019, &x, &y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    // 1.5x: edges rounded to the nearest point, neighbouring edges kept together.
    SdlLetterbox fitted = placePicture(2880, 1620, 800, 600, SdlScaling::fit);
    expectBox(fitted, 360, 0, 2160, 1620);
    expectBox(rescaleBox(fitted, 2880, 1620, 1920, 1080), 240, 0, 1440, 1080);
    SdlLetterbox odd = {1, 1, 1, 1};
    expectBox(rescaleBox(odd, 3, 3, 2, 2), 1, 1, 1, 1); // never empty
    // The same unit both ways changes nothing; a 1 x 1 window stays 1 x 1.
    expectBox(rescaleBox(fitted, 2880, 1620, 2880, 1620), 360, 0, 2160, 1620);
    expectBox(rescaleBox(placePicture(1, 1, 640, 480, SdlScaling::fit), 1, 1, 1, 1), 0, 0, 1, 1);
    expectBox(rescaleBox(fitted, 0, 0, 0, 0), 360, 0, 2160, 1620); // sizes below 1 taken as 1
    // Extreme sizes do not overflow.
    SdlLetterbox wide = placePicture(16384, 16384, 16384, 1, SdlScaling::fit);
    expectBox(rescaleBox(wide, 16384, 16384, 1, 1), 0, 0, 1, 1);
}
