// Frame pacing on a simulated clock: a display whose driver holds presents until the refresh,
// one whose driver does not, and the user's cap.
#include "platform/host/sdl2/sdlPacing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Runs `frames` presents of `work` seconds each. With vsync a present returns at the next
// multiple of `refresh`; without, at once. Returns the mean interval over the last half.
double run(SdlPacing* pacing, double* clock, int frames, double work, bool vsync, double refresh) {
    double firstHalfEnd = 0;
    for (int i = 0; i < frames; i++) {
        *clock += work;
        *clock += pacingWait(pacing, *clock);
        if (vsync) {
            *clock = std::ceil(*clock / refresh - 1e-9) * refresh;
        }
        notePresentDone(pacing, *clock);
        if (i == frames / 2 - 1) {
            firstHalfEnd = *clock;
        }
    }
    return (*clock - firstHalfEnd) / (frames - frames / 2);
}

TEST(Pacing, VsyncThatHoldsPacesAlone) {
    SdlPacing pacing;
    startPacing(&pacing, 60, 0);
    double clock = 1000;
    double interval = run(&pacing, &clock, 200, 0.002, true, 1.0 / 60);
    EXPECT_TRUE(pacing.vsyncHolds);
    EXPECT_NEAR(interval, 1.0 / 60, 1e-6);
    EXPECT_EQ(pacingWait(&pacing, clock), 0.0); // nothing of ours on top
}

TEST(Pacing, WithoutVsyncTheReportedRefreshIsKept) {
    SdlPacing pacing;
    startPacing(&pacing, 75, 0);
    double clock = 0;
    double interval = run(&pacing, &clock, 200, 0.001, false, 0);
    EXPECT_FALSE(pacing.vsyncHolds);
    EXPECT_NEAR(interval, 1.0 / 75, 1e-9);
}

TEST(Pacing, NothingKnownMeansEightyAFrameSecond) {
    for (int unknown : {0, -1, 100000}) {
        SdlPacing pacing;
        startPacing(&pacing, unknown, 0);
        double clock = 5;
        EXPECT_NEAR(run(&pacing, &clock, 100, 0, false, 0), 1.0 / 80, 1e-9) << unknown;
    }
}

TEST(Pacing, TheCapHoldsWithAndWithoutVsync) {
    SdlPacing pacing;
    startPacing(&pacing, 60, 1000); // a cap above the refresh changes nothing
    double clock = 0;
    EXPECT_NEAR(run(&pacing, &clock, 200, 0.001, false, 0), 1.0 / 60, 1e-9);
    startPacing(&pacing, 144, 50);
    EXPECT_EQ(pacing.probesLeft, 0); // slower than the refresh: nothing to measure
    EXPECT_NEAR(run(&pacing, &clock, 200, 0.001, false, 0), 1.0 / 50, 1e-9);
    startPacing(&pacing, 60, 30);
    clock = 0;
    EXPECT_NEAR(run(&pacing, &clock, 200, 0.001, true, 1.0 / 60), 1.0 / 30, 1e-6);
}

TEST(Pacing, SlowFramesAreNotHurriedAfterwards) {
    SdlPacing pacing;
    startPacing(&pacing, 50, 0);
    double clock = 0;
    run(&pacing, &clock, 100, 0.001, false, 0);
    clock += 0.5; // a suspension
    pacingWait(&pacing, clock);
    notePresentDone(&pacing, clock);
    // The next present still waits a whole interval: no burst to catch up.
    EXPECT_NEAR(pacingWait(&pacing, clock), 0.02, 1e-9);
}

TEST(Pacing, AVsyncThatStopsHoldingIsNoticed) {
    SdlPacing pacing;
    startPacing(&pacing, 60, 0);
    double clock = 0;
    run(&pacing, &clock, 100, 0.001, true, 1.0 / 60);
    ASSERT_TRUE(pacing.vsyncHolds);
    double interval = run(&pacing, &clock, 400, 0.001, false, 0);
    EXPECT_FALSE(pacing.vsyncHolds);
    EXPECT_NEAR(interval, 1.0 / 60, 1e-9); // paced by us from then on
}

} // namespace
