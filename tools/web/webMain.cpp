// The web program: the demonstration itself (the same start-up and frames) on the web host.
// main starts the run; the page then calls webFlyFrame once per animation frame, so the
// browser has its turn between frames with no stack to keep. The page passes what its address
// asked for:
//   --size WxH --speed S [--seed N | --ticks T [--flight FILE] [--frames N]] [--record FILE]
//   [--threads N]
// and they become the run's settings, as quarnel-render's options do; no preferences file is
// read or written. --record keeps the flight as quarnel --record does, whole once the run is
// over, for the page to offer.
#include "app/appMain.h"
#include "app/flight/flightFile.h"
#include "app/flight/flightRecording.h"
#include "app/frameLoop.h"
#include "platform/host/web/webHost.h"
#include "util/numberText.h"

#include <emscripten.h>

#include <cfloat>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int defaultFlightFrames = 60;

struct WebOptions {
    int32_t width = 800;
    int32_t height = 600;
    float speed = 20.0f;
    bool seeded = false;
    uint32_t seed = 0;
    bool fly = false;
    uint32_t ticks = 0;
    std::string flightPath;
    int frames = 0;
    std::string recordPath;
    int32_t threads = 0; // 0: every processor the module can use
};

bool parseOptions(int argc, char** argv, WebOptions* options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        uint64_t number = 0;
        bool read = true;
        if (name == "--size") {
            read = readSize(value, 16384, &options->width, &options->height);
        } else if (name == "--speed") {
            read = readReal(value, -FLT_MAX, FLT_MAX, &options->speed);
        } else if (name == "--seed" && readCount(value, 0xFFFFFFFFu, &number)) {
            options->seeded = true;
            options->seed = static_cast<uint32_t>(number);
        } else if (name == "--ticks" && readCount(value, 0xFFFFFFFFu, &number)) {
            options->fly = true;
            options->ticks = static_cast<uint32_t>(number);
        } else if (name == "--flight") {
            options->flightPath = value;
        } else if (name == "--frames" && readCount(value, 1000000, &number) && number > 0) {
            options->frames = static_cast<int>(number);
        } else if (name == "--threads" && readCount(value, 256, &number) && number > 0) {
            options->threads = static_cast<int32_t>(number);
        } else if (name == "--record") {
            options->recordPath = value;
        } else {
            read = false;
        }
        if (!read) {
            std::fprintf(stderr, "quarnel: cannot use %s %s\n", name.c_str(), value);
            return false;
        }
    }
    return argc % 2 == 1;
}

} // namespace

int main(int argc, char** argv) {
    WebOptions options;
    if (!parseOptions(argc, argv, &options)) {
        webHostRunEnded(2);
        return 2;
    }
    RunSettings settings;
    settings.width = options.width;
    settings.height = options.height;
    settings.speed = options.speed;
    settings.threads = options.threads;
    // The flight lives as long as the run.
    static std::vector<FlightStep> steps;
    if (options.fly) {
        std::string error;
        FlightHeader header;
        if (!options.flightPath.empty() &&
            !readFlightFile(options.flightPath, &header, &steps, &error)) {
            std::fprintf(stderr, "quarnel: %s\n", error.c_str());
            webHostRunEnded(2);
            return 2;
        }
        const int frames = options.frames > 0 ? options.frames
                           : steps.empty()    ? defaultFlightFrames
                                              : static_cast<int>(steps.size());
        if (!options.flightPath.empty()) {
            settings.steering = Steering::flight;
            settings.flight = &steps;
        }
        webHostFlyOnVirtualClock(options.ticks, frames);
    } else if (options.seeded) {
        webHostSetSeed(options.seed);
    }
    std::string error;
    if (!options.recordPath.empty() && !startFlightRecording(options.recordPath, &error)) {
        std::fprintf(stderr, "quarnel: %s\n", error.c_str());
        webHostRunEnded(2);
        return 2;
    }
    startRun(GetModuleHandleA(nullptr), settings);
    return 0;
}

// One frame of the run; 0 once the run is over, when the page has been told.
extern "C" EMSCRIPTEN_KEEPALIVE int webFlyFrame() {
    if (flyFrame()) {
        return 1;
    }
    // The page reads the recording as it hears of the end.
    finishFlightRecording();
    webHostRunEnded(0);
    return 0;
}
