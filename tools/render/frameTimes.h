// A summary of frame times in a fixed size (zero-initialised to start), however long the render:
// count, least, most, total and a histogram fine enough to give the median within half a percent.
#pragma once

#include <cstdint>

// 64 buckets per doubling from a microsecond up to some 10^6 milliseconds.
const int frameTimeBucketsPerDoubling = 64;
const int frameTimeBuckets = 30 * frameTimeBucketsPerDoubling;
const double frameTimeFloorMilliseconds = 0.001;

struct FrameTimes {
    uint64_t count;
    double least;
    double most;
    double total;
    uint32_t buckets[frameTimeBuckets];
};

void addFrameTime(FrameTimes* times, double milliseconds);

// The median estimated from the histogram, kept within least and most; 0 with no frames.
double frameTimeMedian(const FrameTimes* times);

// The same for the time a sorted list would hold at count × fraction (0 <= fraction < 1).
double frameTimePercentile(const FrameTimes* times, double fraction);
