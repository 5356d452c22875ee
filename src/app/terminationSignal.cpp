#include "app/terminationSignal.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>

#if !defined(_WIN32)
#include <semaphore.h>
#include <time.h>
#include <unistd.h>
#endif

namespace {

volatile std::sig_atomic_t terminationSignalled = 0;
// Counted, not flagged: a request answered and a new run started within the grace time (as
// tests do) is still an answer to the signal that woke the watchdog.
std::atomic<int> signalsArrived{0};
std::atomic<int> signalsAnswered{0};

#if !defined(_WIN32)

// Long enough for a frame of a debug build, short enough that a daemon never waits on us.
constexpr long graceMilliseconds = 700;

sem_t watchdogWakes; // posted by the handler: sem_post is async-signal-safe, a condition is not

void watchTheEnd() {
    for (;;) {
        while (sem_wait(&watchdogWakes) != 0 && errno == EINTR) {
        }
        const int awaited = signalsArrived.load();
        timespec pause{graceMilliseconds / 1000, graceMilliseconds % 1000 * 1000000};
        while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
        }
        if (signalsAnswered.load() < awaited) {
            static const char note[] = "quarnel: the frame loop did not answer SIGTERM; ending\n";
            const ssize_t written = write(STDERR_FILENO, note, sizeof note - 1);
            static_cast<void>(written);
            _exit(0);
        }
    }
}

void startWatchdog() {
    static bool started = false;
    if (!started) {
        started = true;
        sem_init(&watchdogWakes, 0, 0);
        std::thread(watchTheEnd).detach();
    }
}

extern "C" void noteTermination(int) {
    terminationSignalled = 1;
    signalsArrived.fetch_add(1);
    sem_post(&watchdogWakes);
}

#else

void startWatchdog() {}

extern "C" void noteTermination(int) {
    terminationSignalled = 1;
}

#endif

} // namespace

void catchTerminationSignal() {
    terminationSignalled = 0;
    startWatchdog();
    // Installed before SDL starts, which then leaves a handler that is not the default alone.
    std::signal(SIGTERM, noteTermination);
}

bool terminationRequested() {
    if (terminationSignalled == 0) {
        return false;
    }
    signalsAnswered.store(signalsArrived.load());
    return true;
}
