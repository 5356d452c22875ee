// quarnel-render: runs the demonstration itself (the same start-up and frame loop) on the
// headless host and writes every presented frame to an image file. A flight file or the
// autopilot steers it.
#include "frameFiles.h"
#include "frameTimes.h"
#include "progressLine.h"
#include "renderOptions.h"
#include "videoOut.h"

#include "app/appMain.h"
#include "app/cellWorkers.h"
#include "app/flight/flightFile.h"
#include "app/flightControl.h"
#include "app/preferences.h"
#include "imagefile/pngFile.h"
#include "platform/host/headless/headlessHost.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

struct Flight {
    RenderOptions options;
    FlightHeader header;
    std::vector<FlightStep> steps;
    FrameFileFormat format = FrameFileFormat::unknown;
    VideoKind video = VideoKind::none;
    int frame = 0; // frames whose pump has run
    Clock::time_point frameStart;
    FrameTimes frameTimes;
    // The working folder, while it exists, and the folder to go back to before removing it.
    std::filesystem::path work;
    std::filesystem::path home;
};

Flight flight;

// Runs on every way out, the exits of a failed write and of a fatal error included.
void removeWorkingFolder() {
    if (flight.work.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::current_path(flight.home, ignored);
    std::filesystem::remove_all(flight.work, ignored);
    flight.work.clear();
}

// Line k of the flight is the input after the pump of frame k (the frame loop's flight control
// sets it): it steers frame k + 1. Escape held in the last frame's keyboard snapshot ends the
// loop once that frame is presented.
void atFrameBoundary(void*) {
    ++flight.frame;
    if (flight.frame == flight.options.frames) {
        headlessHoldKey(VK_ESCAPE);
    }
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
        flight.frameStart = Clock::now();
        return;
    }
    if (flight.video != VideoKind::none) {
        if (frame->number > 1 && !writeVideoFrame(frame)) {
            endProgress();
            std::fprintf(stderr, "quarnel-render: the video stream ended at frame %d\n",
                         frame->number - 1);
            std::exit(1);
        }
    } else {
        const std::string name = frameFileName(flight.options.outPattern, frame->number - 1);
        if (!writeFrameFile(name, flight.format, frame)) {
            endProgress();
            std::fprintf(stderr, "quarnel-render: cannot write %s\n", name.c_str());
            std::exit(1);
        }
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
                    "(10th percentile %.3f ms, 90th %.3f ms), %.1f frames per second\n",
                    static_cast<unsigned long long>(times.count), flight.options.width,
                    flight.options.height, flight.options.depth, cellThreads(), median,
                    frameTimePercentile(&times, 0.1), frameTimePercentile(&times, 0.9),
                    median > 0 ? 1000.0 / median : 0.0);
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
        // ffmpeg runs in the working folder below: it gets the whole path, which printf never
        // sees.
        const fs::path video = fs::absolute(options.outPattern);
        fs::create_directories(video.parent_path(), ignored);
        options.outPattern = video.string();
    } else if (flight.video == VideoKind::none && !options.benchmark) {
        // Only the pattern's own % may reach printf: those of the folder it is relative to are
        // doubled.
        const fs::path out = fs::absolute(options.outPattern);
        if (fs::path(options.outPattern).parent_path().string().find('%') == std::string::npos) {
            fs::create_directories(out.parent_path(), ignored);
        }
    }
    if (flight.video == VideoKind::none && !options.benchmark &&
        fs::path(options.outPattern).is_relative()) {
        std::string folder = fs::current_path().string();
        for (size_t at = folder.find('%'); at != std::string::npos; at = folder.find('%', at + 2)) {
            folder.insert(at, "%");
        }
        options.outPattern = (fs::path(folder) / options.outPattern).string();
    }

    // The demonstration reads its preferences from the current folder: give it a folder of its
    // own with the size and speed asked for, so that nobody's prefs.txt is touched.
    const fs::path work =
        fs::temp_directory_path(ignored) /
        ("quarnel-render-" + std::to_string(Clock::now().time_since_epoch().count()));
    if (!fs::create_directory(work, ignored)) {
        std::fprintf(stderr, "quarnel-render: cannot make a working folder %s\n",
                     work.string().c_str());
        return 1;
    }
    flight.home = fs::current_path();
    flight.work = work;
    std::atexit(removeWorkingFolder);
    fs::current_path(work);
    {
        std::ofstream prefs(preferencesPath);
        char speed[64];
        std::snprintf(speed, sizeof speed, "%.9g", static_cast<double>(options.speed));
        prefs << "Resolution: " << options.width << "x" << options.height << "\nSpeed: " << speed
              << "\n";
        if (!prefs.flush()) {
            std::fprintf(stderr, "quarnel-render: cannot write %s\n",
                         (work / preferencesPath).string().c_str());
            return 1;
        }
    }

    setCellThreads(options.threads);
    headlessReset();
    headlessSetTickCount(options.ticks);
    if (options.depth == 32) {
        headlessRefuseDepth(24);
    }
    headlessSetKeyboardHook(atFrameBoundary, nullptr);
    headlessSetPresentHook(atPresent, nullptr);
    flightControl = FlightControl{};
    flightControl.playback = options.flightPath.empty() ? nullptr : &flight.steps;
    flightControl.autopilot = options.autopilot;
    if (flight.video != VideoKind::none) {
        const VideoSettings settings{flight.video,   options.outPattern, options.width,
                                     options.height, options.fps,        options.fullChroma};
        if (!openVideo(settings, &error)) {
            std::fprintf(stderr, "quarnel-render: %s\n", error.c_str());
            return 1;
        }
    }
    startProgress(options.frames);
    flight.frameStart = Clock::now();
    const int result = appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    endProgress();
    if (!closeVideo(&error)) {
        std::fprintf(stderr, "quarnel-render: %s\n", error.c_str());
        return 1;
    }

    removeWorkingFolder();
    reportTimes(flight.video == VideoKind::yuv4mpeg ? stderr : stdout);
    return result;
}
