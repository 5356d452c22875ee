// Whole frames through the demonstration's own start-up and frame loop on the headless host:
// steering, the scene, the clear and the presentation into the host's memory. Each iteration
// flies the cruise flight (40 frames); the reported time is that of one frame, from one
// presentation to the next. Arguments: width, height, depth, threads (0: every hardware
// thread). The far cases hold the camera where a long flight takes it.
#include "app/appMain.h"
#include "app/cellWalk.h"
#include "app/cellWorkers.h"
#include "platform/host/headless/headlessHost.h"
#include "raster/drawnTiles.h"
#include "scene/camera.h"
#include "scene/sceneCommands.h"
#include "scene/sceneParameters.h"
#include "util/numeric.h"

#include "nodeCount.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

const DWORD benchTickCount = 20020;
const int flightFrames = 40;

struct FlightStep {
    int dx;
    int dy;
    int buttons;
};

std::vector<FlightStep> cruise;

// The cruise flight of the source tree: one "dx dy buttons" line per frame.
void readCruise() {
    std::ifstream file(std::string(QUARNEL_SOURCE_DIR) + "/flights/cruise.txt");
    std::string line;
    while (std::getline(file, line)) {
        FlightStep step;
        if (line.empty() || line[0] == '#' ||
            std::sscanf(line.c_str(), "%d %d %d", &step.dx, &step.dy, &step.buttons) != 3) {
            continue;
        }
        cruise.push_back(step);
    }
}

struct FrameCounts {
    int64_t frames;
    int64_t nodes;
    int64_t lines;
    int64_t pixels;
    int64_t sharedFrames;
    double drawnShare; // summed over sharedFrames
};

struct Run {
    int width;
    int height;
    bool farCamera;
    float farX;
    float farY;
    float farZ;
    bool count; // the counters are taken in the first iteration only
    int frame;
    Clock::time_point firstPresent;
    Clock::time_point lastPresent;
    Clock::duration counting;
    FrameCounts counts;
    SceneCommandList list;
};

Run run;

void countNodesOfCell(int32_t, int32_t, int32_t, float x, float y, float z, Colour fog) {
    run.counts.nodes += countNodes(x, y, z, fog);
}

// The frame just presented, counted again at its own camera and phases.
void countFrame() {
    const Clock::time_point start = Clock::now();
    walkVisibleCells(countNodesOfCell);
    run.list.clear();
    recordSceneInto(&run.list, nullptr);
    walkVisibleCells(growCellStructure);
    recordSceneInto(nullptr, nullptr);
    for (const ScreenWalk& command : run.list) {
        run.counts.lines += command.shape != screenWalkDot ? 1 : 0;
    }
    const HeadlessFrame* frame = headlessLastFrame();
    const size_t pixels = static_cast<size_t>(frame->width) * frame->height;
    for (size_t i = 0; i < pixels; ++i) {
        const BYTE* pixel = frame->pixels + i * frame->bytesPerPixel;
        run.counts.pixels += (pixel[0] | pixel[1] | pixel[2]) != 0 ? 1 : 0;
    }
    ++run.counts.frames;
    run.counting += Clock::now() - start;
}

void atFrameBoundary(void*) {
    ++run.frame;
    if (run.count && run.frame >= 2) {
        countFrame();
    }
    if (run.farCamera) {
        camera.cameraX = run.farX;
        camera.cameraY = run.farY;
        camera.cameraZ = run.farZ;
        camera.cameraSpeed = 0.0f;
    } else if (run.frame <= static_cast<int>(cruise.size())) {
        const FlightStep& step = cruise[run.frame - 1];
        headlessQueueMouseMoveTo(run.width / 2 + step.dx, run.height / 2 + step.dy,
                                 static_cast<DWORD>(step.buttons));
    }
    if (run.frame == flightFrames) {
        headlessHoldKey(VK_ESCAPE);
    }
}

// Presentation 1 is the start-up's; the clock runs from the first loop frame's on, so that the
// far cases time only frames at the far camera.
void atPresent(const HeadlessFrame* frame, void*) {
    if (frame->number == 2) {
        run.firstPresent = Clock::now();
        run.counting = Clock::duration::zero();
    }
    if (run.count && frame->number >= 2) {
        // The tiles the frame clears and shows, as a share of the screen.
        const Clock::time_point start = Clock::now();
        run.counts.drawnShare += drawnShare();
        ++run.counts.sharedFrames;
        run.counting += Clock::now() - start;
    }
    run.lastPresent = Clock::now();
}

void flyFrames(benchmark::State& state, bool farCamera, float farX, float farY, float farZ) {
    if (cruise.empty()) {
        readCruise();
    }
    run = Run{};
    run.width = static_cast<int>(state.range(0));
    run.height = static_cast<int>(state.range(1));
    const int depth = static_cast<int>(state.range(2));
    RunSettings settings;
    settings.width = run.width;
    settings.height = run.height;
    settings.threads = static_cast<int32_t>(state.range(3));
    run.farCamera = farCamera;
    run.farX = farX;
    run.farY = farY;
    run.farZ = farZ;
    run.count = true;
    for (auto _ : state) {
        headlessReset();
        headlessSetTickCount(benchTickCount);
        if (depth == 32) {
            headlessRefuseDepth(24);
        }
        headlessSetKeyboardHook(atFrameBoundary, nullptr);
        headlessSetPresentHook(atPresent, nullptr);
        run.frame = 0;
        runDemonstration(GetModuleHandleA(nullptr), settings);
        const Clock::duration flying = run.lastPresent - run.firstPresent - run.counting;
        state.SetIterationTime(std::chrono::duration<double>(flying).count() / (flightFrames - 1));
        run.count = false;
    }
    const double frames = static_cast<double>(run.counts.frames > 0 ? run.counts.frames : 1);
    state.counters["nodes"] = static_cast<double>(run.counts.nodes) / frames;
    state.counters["lines"] = static_cast<double>(run.counts.lines) / frames;
    state.counters["pixels"] = static_cast<double>(run.counts.pixels) / frames;
    state.counters["drawnShare"] =
        run.counts.drawnShare /
        static_cast<double>(run.counts.sharedFrames > 0 ? run.counts.sharedFrames : 1);
    state.counters["threads"] = static_cast<double>(cellThreads());
    setCellThreads(0);
}

void wholeFrame(benchmark::State& state) {
    flyFrames(state, false, 0.0f, 0.0f, 0.0f);
}

// 0 threads: every hardware thread.
void frameSizes(benchmark::internal::Benchmark* b) {
    const int sizes[3][2] = {{800, 600}, {1920, 1080}, {3840, 2160}};
    for (const auto& size : sizes) {
        for (int depth : {24, 32}) {
            for (int threads : {1, 0}) {
                b->Args({size[0], size[1], depth, threads});
            }
        }
    }
}
BENCHMARK(wholeFrame)
    ->ArgNames({"w", "h", "depth", "threads"})
    ->Apply(frameSizes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The camera held at the origin's lattice, at z = 10^8, and at (10^9, 10^9, 10^9).
void heldAtOrigin(benchmark::State& state) {
    flyFrames(state, true, 0.0f, 0.0f, -800.0f);
}
void heldFar(benchmark::State& state) {
    flyFrames(state, true, 0.0f, 0.0f, 1e8f);
}
void heldFarthest(benchmark::State& state) {
    flyFrames(state, true, 1e9f, 1e9f, 1e9f);
}
BENCHMARK(heldAtOrigin)
    ->ArgNames({"w", "h", "depth", "threads"})
    ->Args({800, 600, 32, 1})
    ->Args({800, 600, 32, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(heldFar)
    ->ArgNames({"w", "h", "depth", "threads"})
    ->Args({800, 600, 32, 1})
    ->Args({800, 600, 32, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(heldFarthest)
    ->ArgNames({"w", "h", "depth", "threads"})
    ->Args({800, 600, 32, 1})
    ->Args({800, 600, 32, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
