// Two ways a picture that maps 1:1 onto its window can reach the screen without a GPU, timed
// on plain SDL: the software renderer (a streaming texture updated where the frame changed,
// copied whole onto the window and presented, as the SDL2 host does today) against the window
// surface (the changed rows copied into it and only those rectangles put on the screen with
// SDL_UpdateWindowSurfaceRects). Frames change a share of the screen in runs four rows high
// (share 100: the whole). CPU time of this process; with XSERVER_PID set (an Xvfb's), the X
// server's CPU per frame too, from its /proc accounting, as the counter "xServerMs".
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

struct Picture {
    int width;
    int height;
    int pitch;
    std::vector<uint8_t> pixels; // 0x00RRGGBB words
    std::vector<SDL_Rect> changed;
};

Picture makePicture(int width, int height, int share) {
    Picture picture{width, height, width * 4, {}, {}};
    picture.pixels.resize(static_cast<size_t>(picture.pitch) * static_cast<size_t>(height));
    uint32_t seed = 12345;
    for (uint8_t& byte : picture.pixels) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(seed >> 16);
    }
    const int runWidth = width * share / 100;
    for (int top = 0; top < height; top += 4) {
        const int left = share < 100 ? (top * 37) % (width - runWidth + 1) : 0;
        picture.changed.push_back({left, top, runWidth, height - top < 4 ? height - top : 4});
    }
    return picture;
}

long serverTicks() {
    const char* pid = std::getenv("XSERVER_PID");
    if (pid == nullptr) {
        return -1;
    }
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%s/stat", pid);
    FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return -1;
    }
    unsigned long user = 0;
    unsigned long system = 0;
    // Fields 14 and 15; the name in field 2 holds no blank for an X server.
    const int read = std::fscanf(
        file, "%*d %*s %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system);
    std::fclose(file);
    return read == 2 ? static_cast<long>(user + system) : -1;
}

void countServer(benchmark::State& state, long before) {
    const long after = serverTicks();
    if (before >= 0 && after >= 0 && state.iterations() > 0) {
        state.counters["xServerMs"] = 1000.0 * static_cast<double>(after - before) /
                                      static_cast<double>(sysconf(_SC_CLK_TCK)) /
                                      static_cast<double>(state.iterations());
    }
}

SDL_Window* openWindow(int width, int height) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return nullptr;
    }
    return SDL_CreateWindow("window surface benchmark", 0, 0, width, height, SDL_WINDOW_SHOWN);
}

void renderer(benchmark::State& state) {
    Picture picture =
        makePicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                    static_cast<int>(state.range(2)));
    SDL_Window* window = openWindow(picture.width, picture.height);
    SDL_Renderer* renderer =
        window != nullptr ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
    SDL_Texture* texture = renderer != nullptr ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                                                   SDL_TEXTUREACCESS_STREAMING,
                                                                   picture.width, picture.height)
                                               : nullptr;
    if (texture == nullptr) {
        state.SkipWithError(SDL_GetError());
    } else {
        SDL_UpdateTexture(texture, nullptr, picture.pixels.data(), picture.pitch);
        const long before = serverTicks();
        for (auto _ : state) {
            for (const SDL_Rect& rect : picture.changed) {
                const uint8_t* first = picture.pixels.data() +
                                       static_cast<size_t>(rect.y) * picture.pitch +
                                       static_cast<size_t>(rect.x) * 4;
                SDL_UpdateTexture(texture, &rect, first, picture.pitch);
            }
            SDL_RenderCopy(renderer, texture, nullptr, nullptr);
            SDL_RenderPresent(renderer);
        }
        countServer(state, before);
    }
    if (texture != nullptr) {
        SDL_DestroyTexture(texture);
    }
    if (renderer != nullptr) {
        SDL_DestroyRenderer(renderer);
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
}

void windowSurface(benchmark::State& state) {
    Picture picture =
        makePicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                    static_cast<int>(state.range(2)));
    SDL_Window* window = openWindow(picture.width, picture.height);
    SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
    if (surface == nullptr || surface->w != picture.width || surface->h != picture.height) {
        state.SkipWithError(surface == nullptr ? SDL_GetError() : "the surface is not 1:1");
    } else {
        const bool asIs = surface->format->format == SDL_PIXELFORMAT_RGB888;
        const long before = serverTicks();
        for (auto _ : state) {
            for (const SDL_Rect& rect : picture.changed) {
                const uint8_t* from = picture.pixels.data() +
                                      static_cast<size_t>(rect.y) * picture.pitch +
                                      static_cast<size_t>(rect.x) * 4;
                uint8_t* to = static_cast<uint8_t*>(surface->pixels) +
                              static_cast<size_t>(rect.y) * surface->pitch +
                              static_cast<size_t>(rect.x) * surface->format->BytesPerPixel;
                if (asIs) {
                    for (int row = 0; row < rect.h; row++) {
                        std::memcpy(to + static_cast<size_t>(row) * surface->pitch,
                                    from + static_cast<size_t>(row) * picture.pitch,
                                    static_cast<size_t>(rect.w) * 4);
                    }
                } else {
                    SDL_ConvertPixels(rect.w, rect.h, SDL_PIXELFORMAT_RGB888, from, picture.pitch,
                                      surface->format->format, to, surface->pitch);
                }
            }
            SDL_UpdateWindowSurfaceRects(window, picture.changed.data(),
                                         static_cast<int>(picture.changed.size()));
        }
        countServer(state, before);
        state.SetLabel(asIs ? "as it is" : SDL_GetPixelFormatName(surface->format->format));
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
}

} // namespace

BENCHMARK(renderer)
    ->ArgNames({"width", "height", "share"})
    ->ArgsProduct({{1920}, {1080}, {100, 10}})
    ->ArgsProduct({{3840}, {2160}, {100, 5}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(windowSurface)
    ->ArgNames({"width", "height", "share"})
    ->ArgsProduct({{1920}, {1080}, {100, 10}})
    ->ArgsProduct({{3840}, {2160}, {100, 5}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}
