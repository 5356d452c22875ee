#include "app/cellWorkers.h"
#include "display/tilePresentation.h"
#include "platform/host/headless/headlessHost.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "support/headlessFixture.h"
#include "support/memoryDisplay.h"
#include "support/systemReset.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The back buffer after each frame of a short flight: the camera drifts sideways and forward
// and the phases creep, as in the demonstration, so lines cross between cells.
std::vector<std::vector<uint8_t>> flyFrames(int32_t threads, PixelMode mode, int32_t width = 320,
                                            int32_t height = 240) {
    MemoryDisplay memory;
    openMemoryDisplay(&memory, width, height, mode);
    headlessSetTickCount(4242);
    initSceneParameters();
    resetCamera();
    setCellThreads(threads);
    std::vector<std::vector<uint8_t>> frames;
    for (int frame = 0; frame < 8; ++frame) {
        camera.cameraX += 3.0f;
        camera.cameraZ += 40.0f;
        driftWavePhases(0.002f);
        growVisibleCells();
        frames.push_back(memory.back);
    }
    setCellThreads(0);
    return frames;
}

} // namespace

// The blend rounds, so a pixel two lines cross only keeps its bytes when the lines are drawn in
// the single-threaded order; any number of threads must give those bytes.
TEST(CellWorkers, EveryThreadCountDrawsTheSingleThreadedFrames) {
    for (PixelMode mode : {pixelModeTrueColour24, pixelModeTrueColour32}) {
        const std::vector<std::vector<uint8_t>> expected = flyFrames(1, mode);
        size_t drawn = 0;
        for (uint8_t byte : expected.back()) {
            drawn += byte != 0 ? 1 : 0;
        }
        ASSERT_GT(drawn, 1000u) << "the flight draws next to nothing";
        for (int32_t threads : {2, 3, 5}) {
            const std::vector<std::vector<uint8_t>> frames = flyFrames(threads, mode);
            ASSERT_EQ(frames.size(), expected.size());
            for (size_t i = 0; i < frames.size(); ++i) {
                EXPECT_TRUE(frames[i] == expected[i])
                    << threads << " threads, frame " << i << ", mode " << mode;
            }
            EXPECT_GT(lastFrameCommandCount(), 100) << threads << " threads";
        }
    }
    stopCellWorkers();
}

// The threads share the screen by bands of whole tile rows: screens with a cut last row, and
// screens with fewer rows of tiles than the threads would take bands.
TEST(CellWorkers, OddAndFlatScreensDrawTheSingleThreadedFrames) {
    const int32_t sizes[][2] = {{97, 53}, {64, 6}, {40, 3}};
    for (const auto& size : sizes) {
        const std::vector<std::vector<uint8_t>> expected =
            flyFrames(1, pixelModeTrueColour32, size[0], size[1]);
        for (int32_t threads : {2, 7}) {
            EXPECT_TRUE(flyFrames(threads, pixelModeTrueColour32, size[0], size[1]) == expected)
                << size[0] << "x" << size[1] << ", " << threads << " threads";
        }
    }
    stopCellWorkers();
}

// What the host is shown after each frame's tile present, which the workers share.
std::vector<std::vector<uint8_t>> presentFrames(int32_t threads) {
    resetSystemGlobals();
    headlessSetTickCount(4242);
    openTestDisplay(333, 201);
    initSceneParameters();
    resetCamera();
    setCellThreads(threads);
    std::vector<std::vector<uint8_t>> shown;
    for (int frame = 0; frame < 6; ++frame) {
        camera.cameraX += 5.0f;
        camera.cameraZ += 60.0f;
        driftWavePhases(0.002f);
        growVisibleCells();
        presentAndClearScene();
        const HeadlessFrame* last = headlessLastFrame();
        shown.emplace_back(last->pixels, last->pixels + static_cast<size_t>(last->width) *
                                                            last->height * last->bytesPerPixel);
    }
    setCellThreads(0);
    stopCellWorkers();
    resetSystemGlobals();
    return shown;
}

TEST(CellWorkers, SharedTilePresentsShowTheSingleThreadedFrames) {
    const std::vector<std::vector<uint8_t>> expected = presentFrames(1);
    size_t lit = 0;
    for (uint8_t byte : expected.back()) {
        lit += byte != 0 ? 1 : 0;
    }
    ASSERT_GT(lit, 1000u) << "the frames show next to nothing";
    for (int32_t threads : {2, 3}) {
        EXPECT_TRUE(presentFrames(threads) == expected) << threads << " threads";
    }
}

TEST(CellWorkers, ThreadCountsResolve) {
    setCellThreads(3);
    EXPECT_EQ(cellThreads(), 3);
    setCellThreads(1);
    EXPECT_EQ(cellThreads(), 1);
    setCellThreads(0);
    EXPECT_GE(cellThreads(), 1);
    setCellThreads(-4);
    EXPECT_GE(cellThreads(), 1);
}
