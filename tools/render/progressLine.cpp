#include "progressLine.h"

#include <chrono>
#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

typedef std::chrono::steady_clock Clock;

struct Progress {
    bool shown;
    int total;
    Clock::time_point start;
    Clock::time_point lastShown;
};

Progress progress;

bool standardErrorIsATerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

} // namespace

void startProgress(int totalFrames) {
    progress = Progress{};
    progress.shown = standardErrorIsATerminal();
    progress.total = totalFrames;
    progress.start = Clock::now();
    progress.lastShown = progress.start;
}

void showProgress(int framesDone) {
    if (!progress.shown) {
        return;
    }
    const Clock::time_point now = Clock::now();
    if (now - progress.lastShown < std::chrono::milliseconds(250) && framesDone < progress.total) {
        return;
    }
    progress.lastShown = now;
    const double seconds = std::chrono::duration<double>(now - progress.start).count();
    const double rate = seconds > 0 ? framesDone / seconds : 0;
    const long left = rate > 0 ? static_cast<long>((progress.total - framesDone) / rate + 0.5) : 0;
    std::fprintf(stderr, "\r%d/%d frames  %.1f frames/s  %ld:%02ld left ", framesDone,
                 progress.total, rate, left / 60, left % 60);
    std::fflush(stderr);
}

void endProgress() {
    if (progress.shown) {
        std::fprintf(stderr, "\r%60s\r", "");
        std::fflush(stderr);
    }
    progress.shown = false;
}
