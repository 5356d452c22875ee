// The SDL2 host's present: the visible surface into the texture and onto the window, at 1080p
// and 4K, 24 and 32 bits, uploaded as it is (where the renderer takes the format) and converted
// pixel by pixel. CPU time of the whole process (a GPU driver's threads count); the pacing's
// sleep does not. Runs on whatever SDL_VIDEODRIVER gives (the dummy driver when unset).
#include "platform/host/host.h"
#include "platform/host/sdl2/sdlState.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool openOnce() {
    static bool opened = [] {
        if (!SDL_getenv("SDL_VIDEODRIVER") && !SDL_getenv("DISPLAY")) {
            SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        }
        return activeHost.injectedResult("CreateWindowExA") == 0;
    }();
    return opened;
}

void present(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const int bytesPerPixel = static_cast<int>(state.range(2));
    const bool direct = state.range(3) != 0;
    if (!openOnce()) {
        state.SkipWithError("no SDL window");
        return;
    }
    const bool takesRgb888 = sdlHost.takesRgb888;
    const bool takesBgr24 = sdlHost.takesBgr24;
    if (!direct) {
        sdlHost.takesRgb888 = false;
        sdlHost.takesBgr24 = false;
    } else if (!(bytesPerPixel == 4 ? takesRgb888 : takesBgr24)) {
        state.SkipWithError("the renderer does not take this format");
        return;
    }
    const int pitch = (width * bytesPerPixel + 3) & ~3;
    std::vector<uint8_t> pixels(static_cast<size_t>(pitch) * static_cast<size_t>(height));
    uint32_t seed = 12345;
    for (uint8_t& byte : pixels) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(seed >> 16);
    }
    HostFrame frame = {pixels.data(), width, height, pitch, bytesPerPixel, nullptr};
    activeHost.setDisplayMode(width, height, bytesPerPixel * 8);
    for (auto _ : state) {
        activeHost.present(&frame);
    }
    sdlHost.takesRgb888 = takesRgb888;
    sdlHost.takesBgr24 = takesBgr24;
    state.SetLabel(std::string(SDL_GetCurrentVideoDriver()) +
                   (direct ? " as it is" : " converted"));
}

} // namespace

BENCHMARK(present)
    ->ArgNames({"width", "height", "bytes", "direct"})
    ->ArgsProduct({{1920}, {1080}, {3, 4}, {1, 0}})
    ->ArgsProduct({{3840}, {2160}, {3, 4}, {1, 0}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
