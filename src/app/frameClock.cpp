#include "app/frameClock.h"

#include <chrono>

#if defined(QUARNEL_REAL_DIRECTDRAW)
#include "platform/win32.h"
#else
#include <time.h>
#endif

namespace {

bool held = false;
uint64_t heldSteady = 0;
uint64_t heldCpu = 0;

} // namespace

uint64_t steadyMicroseconds() {
    if (held) {
        return heldSteady;
    }
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

uint64_t processCpuMicroseconds() {
    if (held) {
        return heldCpu;
    }
#if defined(QUARNEL_REAL_DIRECTDRAW)
    // std::clock counts wall time there.
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return 0;
    }
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10; // 100 ns units
#else
    timespec used{};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used) != 0) {
        return 0;
    }
    return static_cast<uint64_t>(used.tv_sec) * 1000000u +
           static_cast<uint64_t>(used.tv_nsec) / 1000u;
#endif
}

void sleepMicroseconds(uint64_t microseconds) {
    if (held) {
        heldSteady += microseconds;
        return;
    }
#if defined(QUARNEL_REAL_DIRECTDRAW)
    Sleep(static_cast<DWORD>((microseconds + 999) / 1000));
#else
    // Not resumed after a signal: a SIGTERM should end the frame, not wait for the rest.
    timespec pause{static_cast<time_t>(microseconds / 1000000u),
                   static_cast<long>(microseconds % 1000000u * 1000u)};
    nanosleep(&pause, nullptr);
#endif
}

void holdFrameClocks() {
    held = true;
    heldSteady = 0;
    heldCpu = 0;
}

void advanceHeldClocks(uint64_t steadyMicroseconds, uint64_t cpuMicroseconds) {
    heldSteady += steadyMicroseconds;
    heldCpu += cpuMicroseconds;
}

void releaseFrameClocks() {
    held = false;
}
