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
