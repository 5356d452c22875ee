#include "app/frameLoop.h"
#include "app/appMain.h"
#include "app/cameraControl.h"
#include "app/cellWalk.h"
#include "app/frameClock.h"
#include "app/framePacing.h"
#include "app/preferences.h"
#include "platform/host/headless/headlessHost.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "support/systemReset.h"
#include "window/inputState.h"
#include "window/mainWindow.h"
#include "window/messagePump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

TEST(CameraSpeed, LeftButtonAcceleratesFromRest) {
    camera.cameraSpeed = 0;
    const float expected[] = {4, 8, 12};
    for (float speed : expected) {
        changeCameraSpeed(1);
        EXPECT_EQ(camera.cameraSpeed, speed);
    }
}

TEST(CameraSpeed, RightButtonCancelsForwardMotionAtOnce) {
    camera.cameraSpeed = 12;
    const float expected[] = {0, -4, -8};
    for (float speed : expected) {
        changeCameraSpeed(2);
        EXPECT_EQ(camera.cameraSpeed, speed);
    }
    changeCameraSpeed(1);
    EXPECT_EQ(camera.cameraSpeed, 0);
}

TEST(CameraSpeed, NoButtonOrBothDecay) {
    camera.cameraSpeed = 10;
    changeCameraSpeed(0);
    EXPECT_EQ(camera.cameraSpeed, static_cast<float>(0.8 * 10.0f));
    const float before = camera.cameraSpeed;
    changeCameraSpeed(3);
    EXPECT_EQ(camera.cameraSpeed, static_cast<float>(0.8 * before));
}

TEST(Steering, MouseOffsetMovesTheCamera) {
    display.screenWidth = 801;
    display.screenHeight = 600;
    camera.cameraX = 1.5f;
    camera.cameraY = 0;
    mouseX = 400 + 10;
    mouseY = 300 - 5;
    steerCamera();
    EXPECT_EQ(camera.cameraX, 11.5f);
    EXPECT_EQ(camera.cameraY, -5.0f);
}

struct VisitedCell {
    int32_t x, y, z;
    float centreX, centreY, centreZ;
    Colour fog;
};
std::vector<VisitedCell> visited;

void recordCell(int32_t x, int32_t y, int32_t z, float centreX, float centreY, float centreZ,
                Colour fog) {
    visited.push_back({x, y, z, centreX, centreY, centreZ, fog});
}

TEST(CellWalk, FirstFrameAt800x600WalksLayersMinus5ToMinus1) {
    display.screenWidth = 800;
    display.screenHeight = 600;
    resetCamera();
    visited.clear();
    walkVisibleCells(recordCell);
    ASSERT_EQ(visited.size(), 165u);
    EXPECT_EQ(visited.front().z, -5);
    EXPECT_EQ(visited.back().z, -1);
    int perLayer[5] = {};
    for (const VisitedCell& cell : visited) {
        ASSERT_GE(cell.z, -5);
        ASSERT_LE(cell.z, -1);
        const int32_t k = cell.z + 5;
        ++perLayer[k];
        EXPECT_LE(std::abs(cell.x), k);
        EXPECT_LE(std::abs(cell.y), k);
        EXPECT_EQ(cell.centreX, cell.x * 200.0f + 400);
        EXPECT_EQ(cell.centreY, cell.y * 200.0f + 300);
        EXPECT_EQ(cell.centreZ, cell.z * 200.0f);
    }
    EXPECT_EQ(perLayer[0], 1);
    EXPECT_EQ(perLayer[1], 9);
    EXPECT_EQ(perLayer[2], 25);
    EXPECT_EQ(perLayer[3], 49);
    EXPECT_EQ(perLayer[4], 81);
    // z, then x, then y ascending.
    EXPECT_EQ(visited[1].x, -1);
    EXPECT_EQ(visited[1].y, -1);
    EXPECT_EQ(visited[2].y, 0);
    // The camera sits at z = -4 cells: the cell straight ahead one cell on is 170 grey.
    EXPECT_EQ(visited[0].fog, 170u * 0x010101);
}

TEST(CellWalk, NothingToCountNothingGrown) {
    display.screenWidth = 800;
    display.screenHeight = 600;
    resetCamera();
    camera.cameraZ = 1e15f;
    visited.clear();
    walkVisibleCells(recordCell);
    EXPECT_TRUE(visited.empty());
    camera.cameraZ = 0;
    camera.cameraX = -1e30f;
    walkVisibleCells(recordCell);
    EXPECT_TRUE(visited.empty());
    // Cells of size 0 on a screen under three pixels high.
    camera.cameraX = 0;
    display.screenHeight = 2;
    walkVisibleCells(recordCell);
    EXPECT_TRUE(visited.empty());
    display.screenHeight = 3;
    walkVisibleCells(recordCell);
    EXPECT_EQ(visited.size(), 165u);
}

TEST(CellWalk, FogFadesWithDistance) {
    EXPECT_EQ(fogBrightness(0), 255);
    EXPECT_EQ(fogBrightness(1), 170);
    EXPECT_EQ(fogBrightness(2), 85);
    EXPECT_EQ(fogBrightness(254.0 / 85.0), 1);
    EXPECT_EQ(fogBrightness(3), 0);
    EXPECT_EQ(fogBrightness(-0.5), 255);
    EXPECT_EQ(fogBrightness(1e300), 0);
}

TEST(CellWalk, NearestCellRoundsHalfUp) {
    EXPECT_EQ(nearestCell(-800, 200), -4);
    EXPECT_EQ(nearestCell(100, 200), 1);
    EXPECT_EQ(nearestCell(99.9f, 200), 0);
    EXPECT_EQ(nearestCell(-100, 200), 0);
}

// The whole demonstration on the headless host, run for a few frames.
class DemonstrationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quarnel-app-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        resetSystemGlobals();
        frames = 0;
        keyAtFrame = 0;
        quitAtFrame = 0;
        headlessSetKeyboardHook(countFrame, this);
    }
    void TearDown() override {
        headlessSetKeyboardHook(nullptr, nullptr);
        resetSystemGlobals();
        std::remove(preferencesPath);
        ASSERT_EQ(chdir(previous), 0);
        rmdir(folder.c_str());
    }
    // A key pressed during frame n's pump is held in frame n + 1's snapshot.
    static void countFrame(void* context) {
        DemonstrationTest* test = static_cast<DemonstrationTest*>(context);
        ++test->frames;
        if (test->frames == test->keyAtFrame) {
            headlessQueueKeyDown(test->key);
        }
        if (test->frames == test->quitAtFrame) {
            headlessQueueQuit();
        }
    }
    std::string folder;
    char previous[4096];
    int frames;
    int keyAtFrame;
    BYTE key = VK_ESCAPE;
    int quitAtFrame;
};

TEST_F(DemonstrationTest, EscapeEndsTheLoopAfterTheFrameIsPresented) {
    keyAtFrame = 3;
    EXPECT_EQ(appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL), 0);
    EXPECT_EQ(frames, 4);
    // The start-up's clear, then one present per frame.
    EXPECT_EQ(headlessPresentCount(), 1 + 4);
    EXPECT_STREQ(headlessWindowTitle(), "Quarnel [Orrinvale 2002]");
    EXPECT_EQ(headlessDisplayMode().width, 800);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 24);
    EXPECT_FALSE(headlessCursorVisible());
}

TEST_F(DemonstrationTest, StatsMeasureTheRunForTheProgramToSay) {
    holdFrameClocks();
    setDemonstrationOptions(0, false, true);
    keyAtFrame = 3;
    testing::internal::CaptureStderr();
    EXPECT_EQ(appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    setDemonstrationOptions(0, false, false);
    EXPECT_EQ(runFrameStatistics().frames, 4u);
    testing::internal::CaptureStderr();
    sayFrameStatistics("quarnel");
    releaseFrameClocks();
    // The clocks stood still: every interval 0, no CPU.
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quarnel: 4 frames; between presents: median 0.000 ms, 99th percentile 0.000 ms, "
              "jitter 0.000 ms (standard deviation of the last 3); CPU 0.000 ms per frame\n");
}

TEST_F(DemonstrationTest, WithoutStatsNothingIsMeasured) {
    keyAtFrame = 3;
    EXPECT_EQ(appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL), 0);
    EXPECT_EQ(runFrameStatistics().frames, 0u);
}

TEST_F(DemonstrationTest, QEndsTheLoopToo) {
    keyAtFrame = 1;
    key = 'Q';
    EXPECT_EQ(appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL), 0);
    EXPECT_EQ(frames, 2);
}

TEST_F(DemonstrationTest, QuitMessageEndsTheLoop) {
    quitAtFrame = 2;
    EXPECT_EQ(appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL), 0);
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

TEST_F(DemonstrationTest, FramesShowStructures) {
    keyAtFrame = 2;
    headlessSetTickCount(20020);
    appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    const HeadlessFrame* frame = headlessLastFrame();
    ASSERT_NE(frame, nullptr);
    size_t lit = 0;
    for (int i = 0; i < frame->width * frame->height * frame->bytesPerPixel; ++i) {
        lit += frame->pixels[i] != 0;
    }
    EXPECT_GT(lit, 1000u);
}

TEST_F(DemonstrationTest, StartsWithTheCursorAtTheCentreAndTheCameraAtRest) {
    keyAtFrame = 1;
    std::ofstream(preferencesPath) << "Resolution: 640x480\nSpeed: 0\n";
    appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    EXPECT_EQ(headlessLastWarp().x, 320);
    EXPECT_EQ(headlessLastWarp().y, 240);
    EXPECT_EQ(camera.cameraZ, -640.0f);
    EXPECT_EQ(camera.cameraX, 0.0f);
}

TEST_F(DemonstrationTest, ARefusedResolutionEndsThroughTheFatalPath) {
    std::ofstream(preferencesPath) << "Resolution: 0x0\nSpeed: 20\n";
    EXPECT_EXIT(appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL),
                ::testing::ExitedWithCode(1), "DirectDraw error [0-9A-F]{8} @ 2403");
}

// The fatal message alone names a DirectDraw site; the line before it names the file, what was
// read from it and what was expected.
TEST_F(DemonstrationTest, AnUnusableResolutionIsNamedWithTheFileBeforeTheFatalMessage) {
    std::ofstream(preferencesPath) << "Resolution: 4294967616x4294967536\nSpeed: 20\n";
    EXPECT_EXIT(appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL),
                ::testing::ExitedWithCode(1),
                "quarnel: prefs.txt: \"Resolution: 4294967616x4294967536\" read as 0x0; expected "
                "\"Resolution: WIDTHxHEIGHT\"[^\n]*\n.*DirectDraw error 88760078 @ 2403");
}

// A size the display does not offer keeps the fatal path (a screensaver falls back instead);
// the line before it suggests a size the display does offer, the desktop's.
TEST_F(DemonstrationTest, ASizeTheDisplayRefusesEndsThroughTheFatalPathSuggestingTheDesktops) {
    std::ofstream(preferencesPath) << "Resolution: 800x600\nSpeed: 20\n";
    headlessRefuseMode(800, 600, 24);
    headlessRefuseMode(800, 600, 32);
    EXPECT_EXIT(appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL),
                ::testing::ExitedWithCode(1),
                "such as 1024x768\n.*DirectDraw error [0-9A-F]{8} @ 2403");
}

} // namespace
