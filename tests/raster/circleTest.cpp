#include "raster/areaTestSupport.h"
#include "support/testNames.h"

#include "raster/circles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

namespace {

class CircleTest : public SystemTestWithParam<PixelMode> {
  protected:
    void TearDown() override {
        resetSystemGlobals();
        selectPixelOps();
    }
    MemoryDisplay memory;
};

INSTANTIATE_TEST_SUITE_P(EveryMode, CircleTest, ::testing::Values(1, 3, 4), namePixelMode);

TEST_P(CircleTest, ZeroOrNegativeRadiusOutlineDrawsNothing) {
    openMemoryDisplay(&memory, 20, 20, GetParam());
    PlotRecorder::install();
    drawCircle(10, 10, 0, 0x0F);
    drawCircle(10, 10, -3, 0x0F);
    EXPECT_TRUE(PlotRecorder::calls().empty());
}

TEST_P(CircleTest, UnitCircleDrawsFourPointsEachTwice) {
    openMemoryDisplay(&memory, 20, 20, GetParam());
    PlotRecorder::install();
    drawCircle(10, 10, 1, 0x0F);
    std::map<std::pair<uint32_t, uint32_t>, int> counts;
    for (const auto& call : PlotRecorder::calls()) {
        counts[call]++;
    }
    const std::map<std::pair<uint32_t, uint32_t>, int> expected = {
        {{10, 11}, 2}, {{10, 9}, 2}, {{11, 10}, 2}, {{9, 10}, 2}};
    EXPECT_EQ(counts, expected);
}

// limit = min(10 / sqrt 2 + 1, 10) = 8.07: steps g = 0 to 8, eight plots each.
TEST_P(CircleTest, StepCountRunsOnePastTheDiagonal) {
    openMemoryDisplay(&memory, 40, 40, GetParam());
    PlotRecorder::install();
    drawCircle(20, 20, 10, 0x0F);
    const auto& calls = PlotRecorder::calls();
    ASSERT_EQ(calls.size(), 9u * 8);
    // The last step, g = 8: B = sqrt(100 - 64) = 6.
    EXPECT_EQ(calls[64], std::make_pair(28u, 26u));
    EXPECT_EQ(calls[71], std::make_pair(14u, 12u));
    // The first step in the documented order of the eight points.
    EXPECT_EQ(calls[0], std::make_pair(20u, 30u));
    EXPECT_EQ(calls[1], std::make_pair(20u, 10u));
    EXPECT_EQ(calls[4], std::make_pair(30u, 20u));
    EXPECT_EQ(calls[7], std::make_pair(10u, 20u));
}

TEST_P(CircleTest, OutlinePointsOutsideTheAreaAreDropped) {
    openMemoryDisplay(&memory, 20, 20, GetParam());
    drawCircle(0, 0, 5, 0x0F);
    for (const auto& p : touchedSet(memory)) {
        EXPECT_NEAR(std::hypot(p.first, p.second), 5.0, 1.0);
    }
    EXPECT_FALSE(touchedSet(memory).empty());
    // A huge circle far away finishes and draws nothing.
    openMemoryDisplay(&memory, 20, 20, GetParam());
    drawCircle(-1e6f, 0, 10, 0x0F);
    drawCircle(10, 10, std::numeric_limits<float>::infinity(), 0x0F);
    drawCircle(std::numeric_limits<float>::quiet_NaN(), 10, 5, 0x0F);
    EXPECT_TRUE(touchedSet(memory).empty());
}

struct Run {
    int32_t row;
    int32_t left;
    int32_t right;
};

::testing::AssertionResult discRunsAre(const MemoryDisplay& memory, std::vector<Run> runs) {
    PixelSet expected;
    for (const Run& run : runs) {
        expected = unite(expected, block(run.left, run.row, run.right, run.row));
    }
    if (touchedSet(memory) == expected) {
        return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << "touched:";
    for (const auto& p : touchedSet(memory)) {
        failure << " (" << p.first << "," << p.second << ")";
    }
    return failure;
}

TEST_P(CircleTest, DiscRunsIncludeBothEnds) {
    openMemoryDisplay(&memory, 24, 24, GetParam());
    fillCircle(10.5f, 10.5f, 2, 0x0F);
    EXPECT_TRUE(discRunsAre(memory, {{9, 9, 11}, {10, 8, 12}, {11, 8, 12}, {12, 9, 11}}));
    openMemoryDisplay(&memory, 24, 24, GetParam());
    fillCircle(10, 10, 3, 0x0F);
    EXPECT_TRUE(discRunsAre(memory, {{7, 10, 10},
                                     {8, 7, 12},
                                     {9, 7, 12},
                                     {10, 7, 13},
                                     {11, 7, 12},
                                     {12, 7, 12},
                                     {13, 10, 10}}));
}

TEST_P(CircleTest, DiscOfRadiusZeroIsOnePixelOnlyOnAWholeRow) {
    openMemoryDisplay(&memory, 12, 12, GetParam());
    fillCircle(5, 5, 0, 0x0F);
    EXPECT_EQ(touchedSet(memory), (PixelSet{{5, 5}}));
    openMemoryDisplay(&memory, 12, 12, GetParam());
    fillCircle(5, 5.5f, 0, 0x0F);
    fillCircle(5, 5, -1, 0x0F);
    fillCircle(5, std::numeric_limits<float>::quiet_NaN(), 3, 0x0F);
    fillCircle(5, 5, std::numeric_limits<float>::quiet_NaN(), 0x0F);
    EXPECT_TRUE(touchedSet(memory).empty());
}

TEST_P(CircleTest, DiscIsCutToTheArea) {
    openMemoryDisplay(&memory, 12, 12, GetParam(), 3);
    fillCircle(-3, 40, 5, 0x0F);
    fillCircle(30, 5, 5, 0x0F);
    fillCircle(-10, 5, 5, 0x0F);
    EXPECT_TRUE(touchedSet(memory).empty());
    openMemoryDisplay(&memory, 12, 12, GetParam(), 3);
    fillCircle(-1, 5, 2, 0x0F);
    // Rows 3 to 7; the runs from column 0: row 3 reaches -1 only and draws nothing.
    EXPECT_TRUE(discRunsAre(memory, {{4, 0, 0}, {5, 0, 1}, {6, 0, 0}}));
    openMemoryDisplay(&memory, 12, 12, GetParam(), 3);
    fillCircle(5, 5, 1000, 0x0F);
    EXPECT_EQ(touchedSet(memory), block(0, 0, 11, 11));
}

} // namespace

namespace {

// Radii and centres beyond what float positions resolve are not drawn, and cost nothing.
TEST(CircleLimits, HugeOutlinesDrawNothing) {
    MemoryDisplay memory;
    resetSystemGlobals();
    openMemoryDisplay(&memory, 20, 20, 4);
    PlotRecorder::install();
    drawCircle(1e10f, 0, 1e10f, 0x0F);
    drawCircle(5, 5, 3e7f, 0x0F);
    drawCircle(-2e7f, 5, 3, 0x0F);
    EXPECT_TRUE(PlotRecorder::calls().empty());
    drawCircle(10, 10, 16000000.0f, 0x0F);
    resetSystemGlobals();
    selectPixelOps();
}

} // namespace
