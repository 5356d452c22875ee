#include "../../tools/render/renderOptions.h"
#include "../../tools/render/frameTimes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

bool parse(std::vector<const char*> words, RenderOptions* options, std::string* error) {
    words.insert(words.begin(), "quarnel-render");
    return parseRenderOptions(static_cast<int>(words.size()), const_cast<char**>(words.data()),
                              options, error);
}

TEST(RenderOptions, ReadsEveryOption) {
    RenderOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--size", "640x480", "--ticks", "4294967295", "--speed", "2.5", "--frames",
                       "7", "--depth", "32", "--flight", "f.txt", "--out", "o/f%04d.ppm"},
                      &options, &error))
        << error;
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    EXPECT_EQ(options.ticks, 4294967295u);
    EXPECT_EQ(options.speed, 2.5f);
    EXPECT_EQ(options.frames, 7);
    EXPECT_EQ(options.depth, 32);
    EXPECT_EQ(options.flightPath, "f.txt");
}

TEST(RenderOptions, RefusesBadValues) {
    const std::vector<std::vector<const char*>> bad = {
        {"--size", "0x480", "--ticks", "1", "--out", "f%d.ppm"},
        {"--size", "640*480", "--ticks", "1", "--out", "f%d.ppm"},
        {"--size", "640x480", "--ticks", "-1", "--out", "f%d.ppm"},
        {"--size", "640x480", "--ticks", "1", "--out", "f.ppm"},
        {"--size", "640x480", "--ticks", "1", "--out", "f%s.ppm"},
        {"--size", "640x480", "--ticks", "1", "--out", "f%d%d.ppm"},
        {"--size", "640x480", "--ticks", "1", "--out", "f%d.ppm", "--depth", "16"},
        {"--size", "640x480", "--ticks", "1", "--out", "f%d.ppm", "--frames", "0"},
        {"--size", "640x480", "--out", "f%d.ppm"},
        {"--size", "640x480", "--ticks", "1", "--out"},
        {"--size", "640x480", "--ticks", "1", "--out", "f%d.ppm", "--colour", "red"},
        // The one reading of numbers: no '+', no white space, nothing after the number.
        {"--size", "640x480", "--ticks", "+1", "--out", "f%d.ppm"},
        {"--size", " 640x480", "--ticks", "1", "--out", "f%d.ppm"},
        {"--size", "640x480", "--ticks", "1 ", "--out", "f%d.ppm"},
        {"--size", "640x480", "--ticks", "1", "--speed", "2,5", "--out", "f%d.ppm"},
        {"--size", "640x480", "--ticks", "1", "--speed", "1e39", "--out", "f%d.ppm"},
    };
    for (const auto& words : bad) {
        RenderOptions options;
        std::string error;
        EXPECT_FALSE(parse(words, &options, &error)) << words[1] << " " << words.back();
        EXPECT_FALSE(error.empty());
    }
}

TEST(RenderOptions, FramePatterns) {
    EXPECT_TRUE(validFramePattern("out/f%04d.ppm"));
    EXPECT_TRUE(validFramePattern("100%% f%d.bmp"));
    EXPECT_FALSE(validFramePattern("f%n.ppm"));
    EXPECT_FALSE(validFramePattern("f%999d.ppm"));
    EXPECT_FALSE(validFramePattern("f%"));
    EXPECT_EQ(frameFileName("out/f%04d.ppm", 7), "out/f0007.ppm");
}

TEST(FrameTimes, FixedSizeSummaryKeepsTheMedianWithinHalfAPercent) {
    static FrameTimes times = {};
    EXPECT_EQ(frameTimeMedian(&times), 0.0);
    // A million frames from 1 to 1000 ms, the median 500.5 ms, fed in no order.
    for (uint64_t i = 0; i < 1000000; ++i) {
        addFrameTime(&times, 1.0 + static_cast<double>((i * 7919) % 1000000) / 1000.0);
    }
    EXPECT_EQ(times.count, 1000000u);
    EXPECT_EQ(times.least, 1.0);
    EXPECT_DOUBLE_EQ(times.most, 1000.999);
    EXPECT_NEAR(frameTimeMedian(&times), 501.0, 501.0 * 0.005);
    EXPECT_NEAR(frameTimePercentile(&times, 0.1), 101.0, 101.0 * 0.01);
    EXPECT_NEAR(frameTimePercentile(&times, 0.9), 901.0, 901.0 * 0.01);
    FrameTimes one = {};
    addFrameTime(&one, 16.6);
    EXPECT_EQ(frameTimeMedian(&one), 16.6);
    addFrameTime(&one, 0.0);
    addFrameTime(&one, 1e12);
    EXPECT_NEAR(frameTimeMedian(&one), 16.6, 16.6 * 0.005);
}

} // namespace

TEST(RenderOptions, BenchmarkNeedsNoOutAndThreadsAreCounted) {
    RenderOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--size", "64x48", "--ticks", "1", "--benchmark", "--threads", "3"},
                      &options, &error))
        << error;
    EXPECT_TRUE(options.benchmark);
    EXPECT_EQ(options.threads, 3);
    for (const char* bad : {"0", "257", "two", ""}) {
        RenderOptions refused;
        EXPECT_FALSE(parse({"--size", "64x48", "--ticks", "1", "--benchmark", "--threads", bad},
                           &refused, &error))
            << bad;
    }
    RenderOptions neither;
    EXPECT_FALSE(parse({"--size", "64x48", "--ticks", "1"}, &neither, &error));
}

TEST(RenderOptions, PacedOnlyWithTheBenchmark) {
    RenderOptions paced;
    std::string error;
    ASSERT_TRUE(parse({"--size", "64x48", "--ticks", "1", "--benchmark", "--paced", "--fps", "50"},
                      &paced, &error))
        << error;
    EXPECT_TRUE(paced.paced);
    EXPECT_EQ(paced.fps, 50);
    RenderOptions written;
    EXPECT_FALSE(parse({"--size", "64x48", "--ticks", "1", "--out", "f%d.ppm", "--paced"}, &written,
                       &error));
    EXPECT_EQ(error, "--paced goes with --benchmark");
}

TEST(RenderOptions, StatsAreAskedForOnly) {
    RenderOptions plain;
    std::string error;
    ASSERT_TRUE(parse({"--size", "64x48", "--ticks", "1", "--benchmark"}, &plain, &error));
    EXPECT_FALSE(plain.stats);
    RenderOptions asked;
    ASSERT_TRUE(
        parse({"--stats", "--size", "64x48", "--ticks", "1", "--out", "f%d.ppm"}, &asked, &error))
        << error;
    EXPECT_TRUE(asked.stats);
    EXPECT_EQ(asked.outPattern, "f%d.ppm");
    EXPECT_NE(std::string(renderUsage).find("--stats"), std::string::npos);
}
