// quarnel-render: runs the demonstration itself (the same start-up and frame loop, through
// runDemonstration) on the headless host and writes every presented frame to an image file. A
// flight file or the autopilot steers it. It writes no preferences and stays in its folder.
#include "frameFiles.h"
#include "frameTimes.h"
#include "progressLine.h"
#include "renderOptions.h"
#include "videoOut.h"

#include "app/appMain.h"
#include "app/cellWorkers.h"
#include "app/flight/flightFile.h"
#include "app/framePacing.h"
#include "imagefile/pngFile.h"
#include "platform/host/headless/headlessHost.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

struct Flight {
    RenderOptions options;
    FlightHeader header;
    std::vector<FlightStep> steps;
    FrameFileFormat format = FrameFileFormat::unknown;
    VideoKind video = VideoKind::none;
    Clock::time_point frameStart;
    Clock::time_point nextTick; // --paced: when the next frame starts; none before the first
    FrameTimes frameTimes;
};

Flight flight;

// SIGINT (Ctrl+C) or SIGTERM: the handler only notes it; the present hook ends the run at the
// next frame boundary, so that no frame file is left half written and the video is closed.
volatile std::sig_atomic_t interruption = 0;

void noteInterruption(int signal) {
    interruption = signal;
}

void catchInterruptions() {
    // A SIGINT ignored on entry (a background job without job control) stays ignored.
    if (std::signal(SIGINT, noteInterruption) == SIG_IGN) {
        std::signal(SIGINT, SIG_IGN);
    }
    std::signal(SIGTERM, noteInterruption);
#if defined(SIGPIPE)
    // Ctrl+C reaches ffmpeg too, which then closes the pipe: a write failing says so, where the
    // signal would end the program before the video is closed.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

// The frames so far stay: the encoder is waited for, whatever it says of its own interruption.
[[noreturn]] void endInterrupted(int framesWritten) {
    endProgress();
    std::string ignored;
    closeVideo(&ignored);
    const bool terminal = interruption == SIGINT;
    std::fprintf(stderr, "quarnel-render: %s after %d frames; they are written%s\n",
                 terminal ? "interrupted" : "terminated", framesWritten,
                 flight.video == VideoKind::mp4 || flight.video == VideoKind::webm
                     ? (" to " + flight.options.outPattern).c_str()
                     : "");
    std::fflush(stdout);
    std::exit(terminal ? 130 : 143);
}

// Paced benchmark frames start on the ticks of a clock of --fps a second; a frame that overran
// its tick starts at once, on the next tick after it.
void waitForTick() {
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(1.0 / flight.options.fps));
    const Clock::time_point now = Clock::now();
    if (flight.nextTick.time_since_epoch().count() == 0) {
        flight.nextTick = now;
    }
    while (flight.nextTick <= now) {
        flight.nextTick += period;
    }
    std::this_thread::sleep_until(flight.nextTick);
}

// File 0 is the start-up's black frame; file k is frame k of the loop. A video holds the loop's
// frames only.
void atPresent(const HeadlessFrame* frame, void*) {
    const Clock::time_point now = Clock::now();
    if (frame->number > 1) {
        addFrameTime(&flight.frameTimes,
                     std::chrono::duration<double, std::milli>(now - flight.frameStart).count());
    }
    if (flight.options.benchmark) {
        if (interruption != 0) {
            endInterrupted(0);
        }
        if (flight.options.paced) {
            waitForTick();
        }
        flight.frameStart = Clock::now();
        return;
    }
    // Frames written once this one is: the video leaves out the start-up's black frame.
    const int written = flight.video != VideoKind::none ? frame->number - 1 : frame->number;
    if (flight.video != VideoKind::none) {
        if (frame->number > 1 && !writeVideoFrame(frame)) {
            if (interruption != 0) {
                endInterrupted(written - 1);
            }
            endProgress();
            std::fprintf(stderr, "quarnel-render: the video stream ended at frame %d\n",
                         frame->number - 1);
            std::exit(1);
        }
    } else {
        const std::string name = frameFileName(flight.options.outPattern, frame->number - 1);
        if (!writeFrameFile(name, flight.format, frame)) {
            if (interruption != 0) {
                std::remove(name.c_str());
                endInterrupted(written - 1);
            }
            endProgress();
            std::fprintf(stderr, "quarnel-render: cannot write %s\n", name.c_str());
            std::exit(1);
        }
    }
    if (interruption != 0) {
        endInterrupted(written);
    }
    showProgress(frame->number - 1);
    flight.frameStart = Clock::now();
}

// On standard error when standard output carries the video.
void reportTimes(FILE* out) {
    const FrameTimes& times = flight.frameTimes;
    if (times.count == 0) {
        return;
    }
    const double median = frameTimeMedian(&times);
    if (flight.options.benchmark) {
        std::printf("%llu frames at %dx%d, %d bits, %d threads: median frame time %.3f ms "
                    "(10th percentile %.3f ms, 90th %.3f ms), ",
                    static_cast<unsigned long long>(times.count), flight.options.width,
                    flight.options.height, flight.options.depth, cellThreads(), median,
                    frameTimePercentile(&times, 0.1), frameTimePercentile(&times, 0.9));
        if (flight.options.paced) {
            std::printf("paced at %d frames per second\n", flight.options.fps);
        } else {
            std::printf("%.1f frames per second\n", median > 0 ? 1000.0 / median : 0.0);
        }
        return;
    }
    std::fprintf(out, "%llu frames, median frame time %.3f ms, %.1f frames per second\n",
                 static_cast<unsigned long long>(times.count), median,
                 median > 0 ? 1000.0 / median : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quarnel-render %s\n", QUARNEL_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(renderUsage, stdout);
            return 0;
        }
    }
    std::string error;
    if (!parseRenderOptions(argc, argv, &flight.options, &error)) {
        std::fprintf(stderr, "quarnel-render: %s\n%s", error.c_str(), renderUsage);
        return 2;
    }
    RenderOptions& options = flight.options;
    flight.video = videoKind(options.outPattern);
    flight.format = frameFileFormat(options.outPattern);
    if (!options.benchmark && flight.video == VideoKind::none &&
        flight.format == FrameFileFormat::unknown) {
        std::fprintf(stderr, "quarnel-render: --out must end in .ppm, .bmp or .png, or .mp4 or "
                             ".webm, or be -\n");
        return 2;
    }
    if (flight.format == FrameFileFormat::png && !pngSupported()) {
        std::fprintf(stderr, "quarnel-render: this build writes no PNG; use .ppm or .bmp\n");
        return 2;
    }
    if ((flight.video == VideoKind::mp4 || flight.video == VideoKind::webm) && !ffmpegOnPath()) {
        std::fprintf(stderr, "quarnel-render: %s\n", ffmpegMissingText(options.outPattern).c_str());
        return 1;
    }
    if (!options.flightPath.empty()) {
        if (!readFlightFile(options.flightPath, &flight.header, &flight.steps, &error)) {
            std::fprintf(stderr, "quarnel-render: %s\n", error.c_str());
            return 2;
        }
        // The command line says otherwise only where it says something.
        if (!flight.header.present && (!options.haveSize || !options.haveTicks)) {
            std::fprintf(stderr,
                         "quarnel-render: %s:1: no \"# quarnel flight:\" header; give --size "
                         "and --ticks\n",
                         options.flightPath.c_str());
            return 2;
        }
        if (!options.haveSize) {
            options.width = flight.header.width;
            options.height = flight.header.height;
        }
        if (!options.haveTicks) {
            options.ticks = flight.header.ticks;
        }
        if (!options.haveSpeed && flight.header.present) {
            options.speed = flight.header.speed;
        }
    }
    if (options.frames == 0) {
        options.frames =
            flight.steps.empty() ? defaultFrames : static_cast<int>(flight.steps.size());
    }
    if ((flight.video == VideoKind::mp4 || flight.video == VideoKind::webm) &&
        !options.fullChroma && (options.width % 2 != 0 || options.height % 2 != 0)) {
        std::fprintf(stderr,
                     "quarnel-render: yuv420p needs an even width and height, not %dx%d; use "
                     "--pixel-format yuv444p\n",
                     options.width, options.height);
        return 2;
    }

    namespace fs = std::filesystem;
    std::error_code ignored;
    if (flight.video == VideoKind::mp4 || flight.video == VideoKind::webm) {
        fs::create_directories(fs::absolute(options.outPattern).parent_path(), ignored);
    } else if (flight.video == VideoKind::none && !options.benchmark) {
        // A folder named with a % of the pattern's own is made by nobody.
        const fs::path out = fs::absolute(options.outPattern);
        if (fs::path(options.outPattern).parent_path().string().find('%') == std::string::npos) {
            fs::create_directories(out.parent_path(), ignored);
        }
    }
    // The run itself: the display refuses 24 bits for --depth 32, and the headless host's clock
    // stands at the ticks the scene is seeded with.
    headlessReset();
    headlessSetTickCount(options.ticks);
    if (options.depth == 32) {
        headlessRefuseDepth(24);
    }
    headlessSetPresentHook(atPresent, nullptr);
    RunSettings settings;
    settings.width = options.width;
    settings.height = options.height;
    settings.speed = options.speed;
    settings.threads = options.threads;
    // Line k of the flight is the input after the pump of frame k: it steers frame k + 1.
    settings.steering = !options.flightPath.empty() ? Steering::flight
                        : options.autopilot         ? Steering::autopilot
                                                    : Steering::person;
    settings.flight = &flight.steps;
    // The end of the flight: the run ends once its last frame is presented.
    settings.frames = static_cast<uint32_t>(options.frames);
    settings.frameStatistics = options.stats;
    catchInterruptions();
    if (flight.video != VideoKind::none) {
        const VideoSettings video{flight.video,   options.outPattern, options.width,
                                  options.height, options.fps,        options.fullChroma};
        if (!openVideo(video, &error)) {
            std::fprintf(stderr, "quarnel-render: %s\n", error.c_str());
            return 1;
        }
    }
    startProgress(options.frames);
    flight.frameStart = Clock::now();
    const int result = runDemonstration(GetModuleHandleA(nullptr), settings);
    endProgress();
    if (!closeVideo(&error)) {
        std::fprintf(stderr, "quarnel-render: %s\n", error.c_str());
        return 1;
    }

    reportTimes(flight.video == VideoKind::yuv4mpeg ? stderr : stdout);
    if (options.stats) {
        sayFrameStatistics("quarnel-render");
    }
    return result;
}
