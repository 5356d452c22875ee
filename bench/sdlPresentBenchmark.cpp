// The SDL2 host's present: the visible surface into the texture and onto the window, at 1080p
// and 4K, 24 and 32 bits, uploaded as it is (where the renderer takes the format) and converted
// pixel by pixel, whole or only the changed rectangles of a frame that changed a share of the
// screen in tile-high runs (share 100: whole). CPU time of the whole process (a GPU driver's
// threads count); the pacing's sleep does not. Runs on whatever SDL_VIDEODRIVER gives (the dummy
// driver without a DISPLAY).
#include "platform/host/sdl2/sdlHost.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool openOnce() {
    static bool opened = [] {
        if (!std::getenv("SDL_VIDEODRIVER") && !std::getenv("DISPLAY")) {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
        }
        return activeHost.openWindow();
    }();
    return opened;
}

void present(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const int bytesPerPixel = static_cast<int>(state.range(2));
    const bool asIs = state.range(3) != 0;
    const int share = static_cast<int>(state.range(4));
    if (!openOnce()) {
        state.SkipWithError("no SDL window");
        return;
    }
    if (asIs && !sdlUploadsAsIs(bytesPerPixel)) {
        state.SkipWithError("the renderer does not take this format as it is");
        return;
    }
    sdlAllowUploadAsIs(asIs);
    const int pitch = (width * bytesPerPixel + 3) & ~3;
    std::vector<uint8_t> pixels(static_cast<size_t>(pitch) * static_cast<size_t>(height));
    uint32_t seed = 12345;
    for (uint8_t& byte : pixels) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(seed >> 16);
    }
    // Runs of four rows, one per band, wandering across the screen, the share of its width.
    std::vector<HostRect> changed;
    const int runWidth = width * share / 100;
    for (int top = 0; share < 100 && top < height; top += 4) {
        const int left = (top * 37) % (width - runWidth + 1);
        changed.push_back({left, top, runWidth, height - top < 4 ? height - top : 4});
    }
    HostFrame frame = {pixels.data(), width, height, pitch, bytesPerPixel, nullptr, nullptr, 0};
    activeHost.setDisplayMode(width, height, bytesPerPixel * 8);
    activeHost.present(&frame);
    if (share < 100) {
        frame.changed = changed.data();
        frame.changedCount = static_cast<int>(changed.size());
    }
    for (auto _ : state) {
        activeHost.present(&frame);
    }
    sdlAllowUploadAsIs(true);
    state.SetLabel(asIs ? "as it is" : "converted");
}

} // namespace

BENCHMARK(present)
    ->ArgNames({"width", "height", "bytes", "asIs", "share"})
    ->ArgsProduct({{1920}, {1080}, {3, 4}, {1, 0}, {100, 10}})
    ->ArgsProduct({{3840}, {2160}, {3, 4}, {1, 0}, {100, 5}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
