#include "renderOptions.h"

#include "videoOut.h"

#include "util/numberText.h"

#include <cctype>
#include <cfloat>
#include <cstdio>
#include <vector>

const char* const renderUsage =
    "usage: quarnel-render [--size WxH] [--ticks T] [--speed S] [--frames N] [--depth 24|32]\n"
    "                      [--flight FILE | --autopilot] [--fps N]\n"
    "                      [--pixel-format yuv420p|yuv444p] [--threads N] [--stats]\n"
    "                      (--out PATTERN|VIDEO|- | --benchmark [--paced])\n"
    "Flies the demonstration without a screen and writes its frames.\n"
    "  --size WxH     screen size in pixels, 1 to 16384 each (default: the flight's header)\n"
    "  --ticks T      the tick count the scene is seeded with, 0 to 4294967295 (default: the\n"
    "                 flight's header)\n"
    "  --speed S      drift speed, any finite number (default: the flight's header, or 20)\n"
    "  --frames N     frames to render, 1 to 1000000 (default: the flight's length, or 60)\n"
    "  --depth 24|32  bits per pixel; 32 makes the display refuse 24 (default: 24)\n"
    "  --flight FILE  one line per frame: dx dy buttons (1 left, 2 right); a recording's\n"
    "                 header \"# quarnel flight: size WxH ticks T speed S\" gives the rest\n"
    "  --autopilot    the flight flies itself along the figure of eight (default: no steering)\n"
    "  --threads N    threads that grow the scene, 1 to 256 (default: all the machine has)\n"
    "  --benchmark    write no file; print the median, 10th and 90th percentile frame times\n"
    "  --paced        with --benchmark: each frame starts on the next of --fps ticks a second,\n"
    "                 as a display's refresh starts them, and is timed to its present\n"
    "  --stats        at the end, on standard error: the frames, the median and 99th percentile\n"
    "                 time between presents, the jitter (standard deviation of the last 256)\n"
    "                 and the CPU time per frame\n"
    "  --out PATTERN  frame files: a name with one %d, e.g. out/f%04d.png; .ppm, .bmp or .png\n"
    "  --out VIDEO    one video made by ffmpeg: flight.mp4 (H.264) or flight.webm (VP9)\n"
    "  --out -        a YUV4MPEG2 stream (4:4:4) on standard output, for any encoder\n"
    "  --fps N        the video's frame rate, or the paced frames', 1 to 1000 (default 60)\n"
    "  --pixel-format yuv420p (default, for every player) or yuv444p (full colour detail)\n"
    "  --help         this text, on standard output\n"
    "  --version      the version\n"
    "Ctrl+C or SIGTERM ends it at the next frame: the frames so far are written and a video\n"
    "is closed, playable; the status is then 130 or 143.\n";

namespace {

bool parseInteger(const std::string& text, long long low, long long high, long long* value) {
    int64_t parsed = 0;
    if (!readWholeNumber(text.c_str(), low, high, &parsed)) {
        return false;
    }
    *value = parsed;
    return true;
}

} // namespace

bool validFramePattern(const std::string& pattern) {
    int conversions = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            continue;
        }
        ++i;
        if (i < pattern.size() && pattern[i] == '%') {
            continue;
        }
        if (i < pattern.size() && pattern[i] == '0') {
            ++i;
        }
        size_t digits = 0;
        while (i < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[i]))) {
            ++i;
            ++digits;
        }
        if (i >= pattern.size() || pattern[i] != 'd' || digits > 2) {
            return false;
        }
        ++conversions;
    }
    return conversions == 1;
}

std::string frameFileName(const std::string& pattern, int number) {
    std::vector<char> name(pattern.size() + 128);
    std::snprintf(name.data(), name.size(), pattern.c_str(), number);
    return name.data();
}

bool parseRenderOptions(int argc, char** argv, RenderOptions* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--benchmark") {
            options->benchmark = true;
            continue;
        }
        if (name == "--paced") {
            options->paced = true;
            continue;
        }
        if (name == "--autopilot") {
            options->autopilot = true;
            continue;
        }
        if (name == "--stats") {
            options->stats = true;
            continue;
        }
        if (i + 1 >= argc) {
            *error = name + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        long long number = 0;
        if (name == "--size") {
            int32_t w = 0;
            int32_t h = 0;
            if (!readSize(value.c_str(), 16384, &w, &h)) {
                *error = "--size wants WxH, each 1 to 16384";
                return false;
            }
            options->width = w;
            options->height = h;
            options->haveSize = true;
        } else if (name == "--ticks") {
            if (!parseInteger(value, 0, 0xFFFFFFFFll, &number)) {
                *error = "--ticks wants a whole number from 0 to 4294967295";
                return false;
            }
            options->ticks = static_cast<uint32_t>(number);
            options->haveTicks = true;
        } else if (name == "--speed") {
            float speed = 0;
            if (!readReal(value.c_str(), -FLT_MAX, FLT_MAX, &speed)) {
                *error = "--speed wants a finite number";
                return false;
            }
            options->speed = speed;
            options->haveSpeed = true;
        } else if (name == "--frames") {
            if (!parseInteger(value, 1, 1000000, &number)) {
                *error = "--frames wants a whole number from 1 to 1000000";
                return false;
            }
            options->frames = static_cast<int>(number);
        } else if (name == "--depth") {
            if (value != "24" && value != "32") {
                *error = "--depth wants 24 or 32";
                return false;
            }
            options->depth = value == "24" ? 24 : 32;
        } else if (name == "--threads") {
            if (!parseInteger(value, 1, 256, &number)) {
                *error = "--threads wants a whole number from 1 to 256";
                return false;
            }
            options->threads = static_cast<int>(number);
        } else if (name == "--flight") {
            options->flightPath = value;
        } else if (name == "--fps") {
            if (!parseInteger(value, 1, 1000, &number)) {
                *error = "--fps wants a whole number from 1 to 1000";
                return false;
            }
            options->fps = static_cast<int>(number);
        } else if (name == "--pixel-format") {
            if (value != "yuv420p" && value != "yuv444p") {
                *error = "--pixel-format wants yuv420p or yuv444p";
                return false;
            }
            options->fullChroma = value == "yuv444p";
        } else if (name == "--out") {
            if (videoKind(value) == VideoKind::none && !validFramePattern(value)) {
                *error = "--out wants a file name with exactly one %d (e.g. out/f%04d.png), a "
                         ".mp4 or .webm file, or - for a YUV4MPEG2 stream";
                return false;
            }
            options->outPattern = value;
        } else {
            *error = "unknown option " + name;
            return false;
        }
    }
    if (options->outPattern.empty() && !options->benchmark) {
        *error = "--out (or --benchmark) is required";
        return false;
    }
    if (options->paced && !options->benchmark) {
        *error = "--paced goes with --benchmark";
        return false;
    }
    if (options->autopilot && !options->flightPath.empty()) {
        *error = "--flight and --autopilot exclude each other";
        return false;
    }
    if (options->flightPath.empty() && (!options->haveSize || !options->haveTicks)) {
        *error = "--size and --ticks are required without a flight file";
        return false;
    }
    return true;
}
