// The web program: the demonstration itself (the same start-up and frame loop) on the web
// host. The page passes what its address asked for:
//   --size WxH --speed S [--seed N | --ticks T [--flight FILE] [--frames N]]
// and the size and speed become the preferences file that appMain reads, as quarnel-render
// does it.
#include "app/appMain.h"
#include "app/flight/flightFile.h"
#include "app/flightControl.h"
#include "app/preferences.h"
#include "platform/host/web/webHost.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int defaultFlightFrames = 60;

struct WebOptions {
    std::string size = "800x600";
    std::string speed = "20";
    bool seeded = false;
    uint32_t seed = 0;
    bool fly = false;
    uint32_t ticks = 0;
    std::string flightPath;
    int frames = 0;
};

bool readCount(const char* text, unsigned long maximum, unsigned long* value) {
    char* end = nullptr;
    errno = 0;
    *value = std::strtoul(text, &end, 10);
    return *text >= '0' && *text <= '9' && *end == '\0' && errno == 0 && *value <= maximum;
}

bool parseOptions(int argc, char** argv, WebOptions* options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        unsigned long number = 0;
        if (name == "--size") {
            options->size = value;
        } else if (name == "--speed") {
            options->speed = value;
        } else if (name == "--seed" && readCount(value, 0xFFFFFFFFul, &number)) {
            options->seeded = true;
            options->seed = static_cast<uint32_t>(number);
        } else if (name == "--ticks" && readCount(value, 0xFFFFFFFFul, &number)) {
            options->fly = true;
            options->ticks = static_cast<uint32_t>(number);
        } else if (name == "--flight") {
            options->flightPath = value;
        } else if (name == "--frames" && readCount(value, 1000000, &number) && number > 0) {
            options->frames = static_cast<int>(number);
        } else {
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
    // The flight lives as long as the run.
    static std::vector<FlightStep> steps;
    flightControl = FlightControl{};
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
        flightControl.playback = options.flightPath.empty() ? nullptr : &steps;
        webHostFlyOnVirtualClock(options.ticks, frames);
    } else if (options.seeded) {
        webHostSetSeed(options.seed);
    }
    if (FILE* prefs = std::fopen(preferencesPath, "w")) {
        std::fprintf(prefs, "Resolution: %s\nSpeed: %s\n", options.size.c_str(),
                     options.speed.c_str());
        std::fclose(prefs);
    }
    const int status = appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    webHostRunEnded(status);
    return status;
}
