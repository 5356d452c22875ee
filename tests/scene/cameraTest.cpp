#include "scene/camera.h"
#include "sceneTestSupport.h"

namespace {

class CameraTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        openMemoryScreen(&screen, 800, 600, 3);
        resetCamera();
    }
    MemoryScreen screen;
};

TEST_F(CameraTest, ResetPutsTheEyeOneScreenWidthBehindThePlaneZeroAtRest) {
    camera = Camera{5.0f, 6.0f, 7.0f, 8.0f};
    display.screenWidth = 1024;
    resetCamera();
    EXPECT_EQ(camera.cameraX, 0.0f);
    EXPECT_EQ(camera.cameraY, 0.0f);
    EXPECT_EQ(camera.cameraZ, -1024.0f);
    EXPECT_EQ(camera.cameraSpeed, 0.0f);
}

TEST_F(CameraTest, ProjectionAtRestOnAnEightHundredBySixHundredScreen) {
    float sx;
    float sy;
    projectPoint(400.0f, 300.0f, 0.0f, &sx, &sy);
    EXPECT_EQ(sx, 400.0f);
    EXPECT_EQ(sy, 300.0f);
    projectPoint(0.0f, 0.0f, 0.0f, &sx, &sy);
    EXPECT_EQ(sx, 0.0f);
    EXPECT_EQ(sy, 0.0f);
    projectPoint(0.0f, 0.0f, 800.0f, &sx, &sy);
    EXPECT_EQ(sx, 200.0f);
    EXPECT_EQ(sy, 150.0f);
    // Nearer than the plane z = 0 points spread out from the centre.
    projectPoint(500.0f, 200.0f, -400.0f, &sx, &sy);
    EXPECT_EQ(sx, 600.0f);
    EXPECT_EQ(sy, 100.0f);
}

TEST_F(CameraTest, ProjectionFollowsTheCameraOffsets) {
    camera.cameraX = 100.0f;
    camera.cameraY = -50.0f;
    camera.cameraZ = 0.0f;
    float sx;
    float sy;
    // The eye looks down x = 500, y = 250; at depth 800 the scale is 1.
    projectPoint(500.0f, 250.0f, 800.0f, &sx, &sy);
    EXPECT_EQ(sx, 400.0f);
    EXPECT_EQ(sy, 300.0f);
    projectPoint(510.0f, 260.0f, 1600.0f, &sx, &sy);
    EXPECT_EQ(sx, 405.0f);
    EXPECT_EQ(sy, 305.0f);
}

// The scale is stored as a float before it multiplies.
TEST_F(CameraTest, ProjectionScaleIsSinglePrecision) {
    camera.cameraZ = 0.0f;
    float sx;
    float sy;
    projectPoint(1000.0f, 300.0f, 3.0f, &sx, &sy);
    const float k = 800.0f / 3.0f;
    EXPECT_EQ(sx, 600.0f * k + 400.0f);
    EXPECT_EQ(sy, 300.0f);
}

// Scale, differences, product and sum all in float; in double the rounding differs for some
// of these points.
TEST_F(CameraTest, ProjectionIsSinglePrecisionThroughout) {
    camera.cameraX = 13.7f;
    camera.cameraY = -21.3f;
    camera.cameraZ = -777.7f;
    int32_t differsFromDouble = 0;
    for (int32_t i = 0; i < 500; ++i) {
        const float x = -300.0f + 3.37f * static_cast<float>(i);
        const float y = 900.0f - 2.11f * static_cast<float>(i);
        const float z = -770.0f + 9.73f * static_cast<float>(i);
        volatile float k = 800.0f / (z - camera.cameraZ);
        volatile float dx = x - camera.cameraX - 400.0f;
        volatile float dy = y - camera.cameraY - 300.0f;
        volatile float px = dx * k;
        volatile float py = dy * k;
        const float expectedX = px + 400.0f;
        const float expectedY = py + 300.0f;
        float sx;
        float sy;
        projectPoint(x, y, z, &sx, &sy);
        ASSERT_EQ(sx, expectedX) << i;
        ASSERT_EQ(sy, expectedY) << i;
        const double wideK = 800.0 / (static_cast<double>(z) - camera.cameraZ);
        const float wideX =
            static_cast<float>((static_cast<double>(x) - camera.cameraX - 400.0) * wideK + 400.0);
        if (wideX != expectedX) {
            ++differsFromDouble;
        }
    }
    EXPECT_GT(differsFromDouble, 0);
}

TEST_F(CameraTest, SegmentsWithAnEndBeforeTheNearLimitAreDroppedWhole) {
    const float nearZ = camera.cameraZ + 0.5f;
    drawSegment3D(400.0f, 300.0f, nearZ, 400.0f, 300.0f, 500.0f, 0xFFFFFF);
    drawSegment3D(400.0f, 300.0f, 500.0f, 400.0f, 300.0f, nearZ, 0xFFFFFF);
    // Crossing the limit by a hair is enough.
    const float justInside = camera.cameraZ + 1.0f;
    const float justOutside = std::nextafter(justInside, -1e9f);
    drawSegment3D(300.0f, 200.0f, justOutside, 500.0f, 400.0f, 0.0f, 0xFFFFFF);
    drawSegment3D(300.0f, 200.0f, 0.0f, 500.0f, 400.0f, justOutside, 0xFFFFFF);
    EXPECT_TRUE(litPixels(screen).empty());
}

TEST_F(CameraTest, SegmentAtTheNearLimitIsDrawnWithTheScaleOfTheScreenWidth) {
    const float z = camera.cameraZ + 1.0f;
    // 0.005 world units become about four pixels at the scale of 800.
    drawSegment3D(400.0f, 300.0f, z, 400.005f, 300.0f, z, 0xFFFFFF);
    const auto lit = litPixels(screen);
    ASSERT_EQ(lit.size(), 5u);
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(lit[i], std::make_pair(400 + i, 300));
        EXPECT_EQ(screenColour(screen, 400 + i, 300), 0xFFFFFFu);
    }
}

TEST_F(CameraTest, SegmentAlongTheLineOfSightIsOnePixel) {
    drawSegment3D(400.0f, 300.0f, 0.0f, 400.0f, 300.0f, 5000.0f, 0x808080);
    const auto lit = litPixels(screen);
    ASSERT_EQ(lit.size(), 1u);
    EXPECT_EQ(lit[0], std::make_pair(400, 300));
    EXPECT_EQ(screenColour(screen, 400, 300), 0x818181u);
}

TEST_F(CameraTest, SegmentIsProjectedAndScreenBlended) {
    // At depth 800 the scale is one half: x 0 .. 800 on the plane becomes 200 .. 600.
    drawSegment3D(0.0f, 300.0f, 800.0f, 800.0f, 300.0f, 800.0f, 0x808080);
    drawSegment3D(0.0f, 300.0f, 800.0f, 800.0f, 300.0f, 800.0f, 0x808080);
    const auto lit = litPixels(screen);
    ASSERT_EQ(lit.size(), 401u);
    EXPECT_EQ(lit.front(), std::make_pair(200, 300));
    EXPECT_EQ(lit.back(), std::make_pair(600, 300));
    EXPECT_EQ(screenColour(screen, 400, 300), 0xC1C1C1u);
}

TEST_F(CameraTest, SegmentsOffTheScreenAreClippedAway) {
    drawSegment3D(-5000.0f, 300.0f, 0.0f, -4000.0f, 300.0f, 0.0f, 0xFFFFFF);
    drawSegment3D(100.0f, 9000.0f, 0.0f, 700.0f, 9000.0f, 0.0f, 0xFFFFFF);
    EXPECT_TRUE(litPixels(screen).empty());
}

} // namespace
