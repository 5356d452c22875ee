#include "app/terminationSignal.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t terminationSignalled = 0;

extern "C" void noteTermination(int) {
    terminationSignalled = 1;
}

} // namespace

void catchTerminationSignal() {
    terminationSignalled = 0;
    // Installed before SDL starts, which then leaves a handler that is not the default alone.
    std::signal(SIGTERM, noteTermination);
}

bool terminationRequested() {
    return terminationSignalled != 0;
}
