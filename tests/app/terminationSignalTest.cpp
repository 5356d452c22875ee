// SIGTERM as a daemon sends it: answered by the loop that asks, or the watchdog ends the
// process with status 0 when nothing asks (a call that never returns).
#include "app/terminationSignal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace {

class TerminationSignal : public ::testing::Test {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
    void TearDown() override { std::signal(SIGTERM, SIG_DFL); }
};

TEST_F(TerminationSignal, ALoopThatNeverAsksIsEndedWithStatusZero) {
    EXPECT_EXIT(
        {
            catchTerminationSignal();
            std::raise(SIGTERM);
            // A library call that never returns.
            for (;;) {
                std::this_thread::sleep_for(std::chrono::seconds(1));
            }
        },
        ::testing::ExitedWithCode(0), "did not answer SIGTERM");
}

TEST_F(TerminationSignal, AnAnsweredRequestLeavesTheProcessRunning) {
    EXPECT_EXIT(
        {
            catchTerminationSignal();
            std::raise(SIGTERM);
            if (!terminationRequested()) {
                std::exit(3);
            }
            // Well past the grace time: the process is still its own to end.
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            std::exit(7);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST_F(TerminationSignal, ANewRunAfterAnAnswerIsNotEndedByTheEarlierSignal) {
    EXPECT_EXIT(
        {
            catchTerminationSignal();
            std::raise(SIGTERM);
            if (!terminationRequested()) {
                std::exit(3);
            }
            catchTerminationSignal();
            if (terminationRequested()) {
                std::exit(4);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            std::exit(7);
        },
        ::testing::ExitedWithCode(7), "");
}

} // namespace
