#include "app/frameClock.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameClock, HeldClocksMoveOnlyWhenTold) {
    holdFrameClocks();
    EXPECT_EQ(steadyMicroseconds(), 0u);
    EXPECT_EQ(processCpuMicroseconds(), 0u);
    advanceHeldClocks(250, 40);
    // A wait moves the steady clock, never the CPU's, and takes no time.
    sleepMicroseconds(10000000);
    EXPECT_EQ(steadyMicroseconds(), 10000250u);
    EXPECT_EQ(processCpuMicroseconds(), 40u);
    // Held again: from 0.
    holdFrameClocks();
    EXPECT_EQ(steadyMicroseconds(), 0u);
    releaseFrameClocks();
}

TEST(FrameClock, RealClocksNeverGoBack) {
    releaseFrameClocks();
    const uint64_t steady = steadyMicroseconds();
    const uint64_t cpu = processCpuMicroseconds();
    volatile uint64_t spin = 0;
    for (int i = 0; i < 1000000; ++i) {
        spin = spin + static_cast<uint64_t>(i);
    }
    sleepMicroseconds(1000);
    EXPECT_GE(steadyMicroseconds(), steady + 1000); // a wait is at least as long as asked
    EXPECT_GE(processCpuMicroseconds(), cpu);
    EXPECT_GT(cpu, 0u); // the process has run
}

} // namespace
