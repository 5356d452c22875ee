// The command line of quarnel-render.
#pragma once

#include <cstdint>
#include <string>

struct RenderOptions {
    int width = 0;
    int height = 0;
    uint32_t ticks = 0;
    float speed = 20.0f;
    // Given on the command line; otherwise a flight's header supplies them.
    bool haveSize = false;
    bool haveTicks = false;
    bool haveSpeed = false;
    bool autopilot = false;
    int frames = 0; // 0: as many as the flight has lines, or defaultFrames without one
    int depth = 24;
    int fps = 60;            // frames per second written into a video, or paced
    bool fullChroma = false; // --pixel-format yuv444p rather than yuv420p
    std::string flightPath;
    std::string outPattern;
    bool benchmark = false; // time the frames and write nothing
    bool paced = false;     // benchmark frames started --fps times a second, as a display would
    int threads = 0;        // threads that grow the scene; 0: every hardware thread
    bool stats = false;     // the frame pacing on standard error at the end
};

const int defaultFrames = 60;

extern const char* const renderUsage;

// Fills options, or returns false with a message. --size and --ticks may be left to a flight's
// header.
bool parseRenderOptions(int argc, char** argv, RenderOptions* options, std::string* error);

// True when pattern holds exactly one integer conversion (%d, %5d, %05d) and otherwise only
// literal text and %%, so that it is safe to hand to printf with one int.
bool validFramePattern(const std::string& pattern);

// The pattern with the frame number put in.
std::string frameFileName(const std::string& pattern, int number);
