// Growing one frame of the scene: the 165 cells of the frame loop's walk at 800 × 600 into a
// memory back buffer. Reports the frame time and how many nodes per second the generator
// grows; the nodes are counted by a separate walk that takes the same decisions and draws
// nothing, so the generator itself carries no counter.
#include "app/cellWalk.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "scene/sceneParameters.h"
#include "util/numeric.h"

#include "nodeCount.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const int32_t benchWidth = 800;
const int32_t benchHeight = 600;
const DWORD benchTickCount = 20020;

int64_t frameNodes = 0;

void countCellNodes(int32_t, int32_t, int32_t, float x, float y, float z, Colour fog) {
    frameNodes += countNodes(x, y, z, fog);
}

// The frame loop's own walk over the 165 cells.
int64_t countFrameNodes() {
    frameNodes = 0;
    walkVisibleCells(countCellNodes);
    return frameNodes;
}

void growFrame() {
    walkVisibleCells(growCellStructure);
}

void openBenchScreen(std::vector<uint8_t>* memory, PixelMode mode) {
    std::memset(&display, 0, sizeof display);
    display.screenWidth = benchWidth;
    display.screenHeight = benchHeight;
    display.pixelMode = mode;
    display.backPitch = benchWidth * mode;
    memory->assign(static_cast<size_t>(display.backPitch) * benchHeight, 0);
    display.backBuffer = memory->data();
    selectPixelOps();
}

void startScene() {
    headlessSetTickCount(benchTickCount);
    initSceneParameters();
    resetCamera();
}

// The first frame of a run, grown again and again; the buffer is cleared between frames, as
// the presentation does, outside the timing. Argument: the pixel mode.
void firstFrame(benchmark::State& state) {
    std::vector<uint8_t> memory;
    openBenchScreen(&memory, static_cast<PixelMode>(state.range(0)));
    startScene();
    driftWavePhases(static_cast<float>(0.0001 * 20.0));
    const int64_t nodesPerFrame = countFrameNodes();
    for (auto _ : state) {
        growFrame();
        benchmark::ClobberMemory();
        state.PauseTiming();
        std::memset(memory.data(), 0, memory.size());
        state.ResumeTiming();
    }
    state.counters["nodesPerFrame"] = static_cast<double>(nodesPerFrame);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodesPerFrame) *
                                                       static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(firstFrame)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

// A flight: each frame drifts the phases at the default speed and moves the camera forward
// by 4, so the structures change from frame to frame as in the running demonstration.
void flyingFrames(benchmark::State& state) {
    std::vector<uint8_t> memory;
    openBenchScreen(&memory, 4);
    startScene();
    int64_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        camera.cameraZ += 4.0f;
        driftWavePhases(static_cast<float>(0.0001 * 20.0));
        nodes += countFrameNodes();
        std::memset(memory.data(), 0, memory.size());
        state.ResumeTiming();
        growFrame();
        benchmark::ClobberMemory();
    }
    state.counters["nodesPerFrame"] =
        static_cast<double>(nodes) / static_cast<double>(state.iterations());
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(flyingFrames)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
