#include "app/flight/flightRecording.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

typedef std::chrono::steady_clock Clock;

struct FlightRecording {
    FILE* file;
    std::string path;
    bool headerWritten;
    bool failed;
    Clock::time_point lastFlush;
};

FlightRecording recording;

void writeText(const std::string& text) {
    if (!recording.failed && std::fputs(text.c_str(), recording.file) == EOF) {
        recording.failed = true;
        std::fprintf(stderr, "quarnel: cannot write the recording %s\n", recording.path.c_str());
    }
}

void finishAtExit() {
    finishFlightRecording();
}

} // namespace

bool startFlightRecording(const std::string& path, std::string* error) {
    finishFlightRecording();
    recording.file = std::fopen(path.c_str(), "wb");
    if (recording.file == nullptr) {
        *error = "cannot create the recording " + path;
        return false;
    }
    static bool exitHandlerSet = false;
    if (!exitHandlerSet) {
        std::atexit(finishAtExit);
        exitHandlerSet = true;
    }
    recording.path = path;
    recording.headerWritten = false;
    recording.failed = false;
    recording.lastFlush = Clock::now();
    return true;
}

bool flightRecordingActive() {
    return recording.file != nullptr;
}

void recordFlightStep(const FlightHeader& header, const FlightStep& step) {
    if (recording.file == nullptr) {
        return;
    }
    if (!recording.headerWritten) {
        writeText(flightHeaderLine(header));
        recording.headerWritten = true;
    }
    writeText(flightStepLine(step));
    const Clock::time_point now = Clock::now();
    if (now - recording.lastFlush >= std::chrono::seconds(1)) {
        std::fflush(recording.file);
        recording.lastFlush = now;
    }
}

void finishFlightRecording() {
    if (recording.file == nullptr) {
        return;
    }
    const bool closed = std::fclose(recording.file) == 0;
    recording.file = nullptr;
    if (!closed && !recording.failed) {
        std::fprintf(stderr, "quarnel: cannot write the recording %s\n", recording.path.c_str());
    }
}
