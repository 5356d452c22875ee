// A run's frame pacing in fixed memory however long it runs: the frames presented and the
// intervals between their presents, all of them in a histogram fine enough to give the median
// and the 99th percentile within a third of a percent, and the last 256 exactly, for the jitter.
// Nothing is allocated per frame. Times are microseconds.
#pragma once

#include <cstddef>
#include <cstdint>

const int recentIntervalCount = 256;
// 128 buckets per doubling from a microsecond up to some 70 minutes.
const int intervalBucketsPerDoubling = 128;
const int intervalBucketCount = 32 * intervalBucketsPerDoubling;

// Zero-initialised, it holds no frames.
struct FrameStatistics {
    uint64_t frames;
    uint64_t lastPresent;
    uint32_t shortest; // of every interval so far
    uint32_t longest;
    // A ring: the newest interval at (frames - 2) % recentIntervalCount.
    uint32_t recent[recentIntervalCount];
    uint32_t buckets[intervalBucketCount];
};

// A frame presented at this moment; from the second one on, an interval too (longer ones than
// 32 bits of microseconds are counted as that long).
void noteFramePresent(FrameStatistics* statistics, uint64_t now);

// frames - 1, or 0 without frames.
uint64_t frameIntervals(const FrameStatistics* statistics);

// The interval at this rank of the sorted list (the nearest rank: the ceiling of fraction ×
// intervals, at least the first), in microseconds: the middle of its histogram bucket, kept
// between the shortest and the longest, which the first and last ranks give exactly. 0 without
// intervals. fraction 0.5 is the median (the
// lower of the two middle ones for an even count).
double intervalPercentile(const FrameStatistics* statistics, double fraction);

// The standard deviation of the last recentIntervalCount intervals (fewer while there are fewer),
// in microseconds; 0 without intervals.
double recentJitter(const FrameStatistics* statistics);

// The line --stats ends a run with (no newline): the frames, the median and 99th percentile
// interval, the jitter and the CPU per frame (cpuMicroseconds over the frames); what cannot be
// measured yet is left out.
void describeFrameStatistics(const FrameStatistics* statistics, uint64_t cpuMicroseconds,
                             char* line, size_t size);

// The line -fps says every few seconds (no newline): frames per second over the elapsed time,
// and CPU per frame. Without frames or time, only what can be said.
void describeFrameRate(uint64_t frames, uint64_t elapsedMicroseconds, uint64_t cpuMicroseconds,
                       char* line, size_t size);
