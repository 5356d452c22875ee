#include "app/frameStatistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// Presents at these intervals (microseconds) after a first one at 1000.
std::unique_ptr<FrameStatistics> presentedAt(const std::vector<uint32_t>& intervals) {
    auto statistics = std::make_unique<FrameStatistics>();
    uint64_t now = 1000;
    noteFramePresent(statistics.get(), now);
    for (uint32_t interval : intervals) {
        now += interval;
        noteFramePresent(statistics.get(), now);
    }
    return statistics;
}

std::string described(const FrameStatistics* statistics, uint64_t cpu) {
    char line[320];
    describeFrameStatistics(statistics, cpu, line, sizeof line);
    return line;
}

// The histogram's promise: within a third of a percent.
void expectWithinBucket(double measured, double exact) {
    EXPECT_NEAR(measured, exact, exact * 0.003);
}

TEST(FrameStatistics, NoFramesMeasureNothing) {
    const FrameStatistics none{};
    EXPECT_EQ(frameIntervals(&none), 0u);
    EXPECT_EQ(intervalPercentile(&none, 0.5), 0.0);
    EXPECT_EQ(intervalPercentile(&none, 0.99), 0.0);
    EXPECT_EQ(recentJitter(&none), 0.0);
    EXPECT_EQ(described(&none, 123456), "0 frames");
}

TEST(FrameStatistics, OneFrameHasNoIntervalButItsCpu) {
    const auto one = presentedAt({});
    EXPECT_EQ(one->frames, 1u);
    EXPECT_EQ(frameIntervals(one.get()), 0u);
    EXPECT_EQ(intervalPercentile(one.get(), 0.5), 0.0);
    EXPECT_EQ(described(one.get(), 5000), "1 frame; CPU 5.000 ms per frame");
}

TEST(FrameStatistics, EqualIntervalsAreExactAndSteady) {
    const auto steady = presentedAt({16667, 16667, 16667});
    EXPECT_EQ(frameIntervals(steady.get()), 3u);
    EXPECT_EQ(intervalPercentile(steady.get(), 0.5), 16667.0);
    EXPECT_EQ(intervalPercentile(steady.get(), 0.99), 16667.0);
    EXPECT_EQ(recentJitter(steady.get()), 0.0);
    EXPECT_EQ(described(steady.get(), 8000),
              "4 frames; between presents: median 16.667 ms, 99th percentile 16.667 ms, jitter "
              "0.000 ms (standard deviation of the last 3); CPU 2.000 ms per frame");
}

TEST(FrameStatistics, PercentilesAreNearestRanksOfTheSortedIntervals) {
    // 1 to 100 ms, in an order that is not sorted.
    std::vector<uint32_t> intervals;
    for (uint32_t i = 0; i < 100; ++i) {
        intervals.push_back((i * 37 % 100 + 1) * 1000);
    }
    const auto spread = presentedAt(intervals);
    expectWithinBucket(intervalPercentile(spread.get(), 0.5), 50000);
    expectWithinBucket(intervalPercentile(spread.get(), 0.99), 99000);
    expectWithinBucket(intervalPercentile(spread.get(), 0.01), 1000);
    // The ends are exact.
    EXPECT_EQ(intervalPercentile(spread.get(), 0.0), 1000.0);
    EXPECT_EQ(intervalPercentile(spread.get(), 1.0), 100000.0);

    // One stutter in a hundred is below the 99th percentile; two are not.
    std::vector<uint32_t> oneSlow(99, 10000);
    oneSlow.push_back(50000);
    expectWithinBucket(intervalPercentile(presentedAt(oneSlow).get(), 0.99), 10000);
    std::vector<uint32_t> twoSlow(98, 10000);
    twoSlow.insert(twoSlow.end(), 2, 50000);
    expectWithinBucket(intervalPercentile(presentedAt(twoSlow).get(), 0.99), 50000);
    // An even count: the lower of the two middle ones.
    expectWithinBucket(intervalPercentile(presentedAt({10000, 20000}).get(), 0.5), 10000);
}

TEST(FrameStatistics, JitterIsTheStandardDeviationOfTheIntervalsKept) {
    // Fewer than the ring holds: all of them.
    std::vector<uint32_t> intervals(100, 10000);
    intervals.insert(intervals.end(), 100, 20000);
    EXPECT_DOUBLE_EQ(recentJitter(presentedAt(intervals).get()), 5000.0);
}

TEST(FrameStatistics, TheRingForgetsAllButTheLast256) {
    // Wildly uneven intervals, then 256 that alternate 9 and 11 ms: only those are left.
    std::vector<uint32_t> intervals;
    for (int i = 0; i < 300; ++i) {
        intervals.push_back(i % 2 == 0 ? 1000 : 90000);
    }
    for (int i = 0; i < recentIntervalCount; ++i) {
        intervals.push_back(i % 2 == 0 ? 9000 : 11000);
    }
    const auto wrapped = presentedAt(intervals);
    EXPECT_EQ(frameIntervals(wrapped.get()), 556u);
    EXPECT_DOUBLE_EQ(recentJitter(wrapped.get()), 1000.0);
    // The whole run is still in the percentiles.
    EXPECT_EQ(intervalPercentile(wrapped.get(), 1.0), 90000.0);
    EXPECT_NE(described(wrapped.get(), 0).find("(standard deviation of the last 256)"),
              std::string::npos);

    // One more: the oldest of the 256 (a 9 ms one) goes, the newest joins.
    std::vector<uint32_t> onceMore = intervals;
    onceMore.push_back(11000);
    const double mean = (127 * 9000.0 + 129 * 11000.0) / 256;
    const double variance =
        (127 * (9000 - mean) * (9000 - mean) + 129 * (11000 - mean) * (11000 - mean)) / 256;
    EXPECT_NEAR(recentJitter(presentedAt(onceMore).get()), std::sqrt(variance), 1e-6);
}

TEST(FrameStatistics, AClockThatStandsOrGoesBackGivesNoInterval) {
    FrameStatistics statistics{};
    noteFramePresent(&statistics, 5000);
    noteFramePresent(&statistics, 5000);
    noteFramePresent(&statistics, 4000);
    EXPECT_EQ(frameIntervals(&statistics), 2u);
    EXPECT_EQ(intervalPercentile(&statistics, 1.0), 0.0);
    EXPECT_EQ(recentJitter(&statistics), 0.0);
}

TEST(FrameStatistics, AnIntervalBeyond32BitsCountsAsTheLongestThereIs) {
    FrameStatistics statistics{};
    noteFramePresent(&statistics, 0);
    noteFramePresent(&statistics, uint64_t{1} << 40);
    EXPECT_EQ(intervalPercentile(&statistics, 0.5), static_cast<double>(UINT32_MAX));
}

TEST(FrameStatistics, ALineCutToItsBufferStaysATerminatedString) {
    const auto steady = presentedAt({16667, 16667});
    char line[12];
    describeFrameStatistics(steady.get(), 1000, line, sizeof line);
    EXPECT_STREQ(line, "3 frames; b");
}

TEST(FrameRate, FramesPerSecondAndCpuPerFrame) {
    char line[160];
    describeFrameRate(50, 5000000, 100000, line, sizeof line);
    EXPECT_STREQ(line, "10.0 frames per second, CPU 2.000 ms per frame");
    describeFrameRate(301, 5010000, 903000, line, sizeof line);
    EXPECT_STREQ(line, "60.1 frames per second, CPU 3.000 ms per frame");
    describeFrameRate(0, 5000000, 0, line, sizeof line);
    EXPECT_STREQ(line, "0 frames in 5.0 s");
    describeFrameRate(3, 0, 0, line, sizeof line);
    EXPECT_STREQ(line, "3 frames in 0.0 s");
}

} // namespace
