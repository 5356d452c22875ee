#include "app/framePacing.h"

#include "app/frameClock.h"
#include "app/frameLoop.h"
#include "app/terminationSignal.h"

#include <cstdio>

namespace {

FrameStatistics statistics;

// The frame rate's period: when it began (at a present), and the presents and CPU time since.
uint64_t periodStart = 0;
uint64_t periodCpuStart = 0;
uint64_t periodFrames = 0;

// A SIGTERM is looked for at least this often while waiting.
const uint64_t longestWait = 10000;

void waitFrameDelay(uint64_t microseconds) {
    while (microseconds > 0 && !terminationRequested()) {
        const uint64_t wait = microseconds < longestWait ? microseconds : longestWait;
        sleepMicroseconds(wait);
        microseconds -= wait;
    }
}

void sayFrameRate(uint64_t now) {
    const uint64_t cpu = processCpuMicroseconds();
    if (periodFrames == 0) {
        // The first present starts the first period.
        periodStart = now;
        periodCpuStart = cpu;
        periodFrames = 1;
        return;
    }
    if (now - periodStart < frameRatePeriodMicroseconds) {
        ++periodFrames;
        return;
    }
    // The presents after the period's first one, over the time since it.
    char line[160];
    describeFrameRate(periodFrames, now - periodStart, cpu - periodCpuStart, line, sizeof line);
    std::fprintf(stderr, "quarnel: %s\n", line);
    periodStart = now;
    periodCpuStart = cpu;
    periodFrames = 1;
}

} // namespace

void startFramePacing() {
    statistics = FrameStatistics{};
    periodFrames = 0;
}

void paceFramePresent() {
    if (runSettings.frameStatistics || runSettings.frameRateReport) {
        const uint64_t now = steadyMicroseconds();
        if (runSettings.frameStatistics) {
            noteFramePresent(&statistics, now);
        }
        if (runSettings.frameRateReport) {
            sayFrameRate(now);
        }
    }
    if (runSettings.frameDelay != 0) {
        waitFrameDelay(runSettings.frameDelay);
    }
}

void sayFrameStatistics(const char* program) {
    char line[320];
    describeFrameStatistics(&statistics, processCpuMicroseconds(), line, sizeof line);
    std::fprintf(stderr, "%s: %s\n", program, line);
}

const FrameStatistics& runFrameStatistics() {
    return statistics;
}
