#include "app/frameStatistics.h"

#include <cmath>
#include <cstdio>

namespace {

int bucketOf(uint32_t interval) {
    if (interval <= 1) {
        return 0;
    }
    const double index =
        std::floor(std::log2(static_cast<double>(interval)) * intervalBucketsPerDoubling);
    return index >= intervalBucketCount - 1 ? intervalBucketCount - 1 : static_cast<int>(index);
}

double milliseconds(double microseconds) {
    return microseconds / 1000.0;
}

} // namespace

void noteFramePresent(FrameStatistics* statistics, uint64_t now) {
    ++statistics->frames;
    if (statistics->frames > 1) {
        const uint64_t elapsed = now > statistics->lastPresent ? now - statistics->lastPresent : 0;
        const uint32_t interval =
            elapsed > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(elapsed);
        if (statistics->frames == 2 || interval < statistics->shortest) {
            statistics->shortest = interval;
        }
        if (statistics->frames == 2 || interval > statistics->longest) {
            statistics->longest = interval;
        }
        statistics->recent[(statistics->frames - 2) % recentIntervalCount] = interval;
        // A bucket that would wrap stays full: four billion frames are years at 60 a second.
        uint32_t& bucket = statistics->buckets[bucketOf(interval)];
        if (bucket != UINT32_MAX) {
            ++bucket;
        }
    }
    statistics->lastPresent = now;
}

uint64_t frameIntervals(const FrameStatistics* statistics) {
    return statistics->frames > 1 ? statistics->frames - 1 : 0;
}

double intervalPercentile(const FrameStatistics* statistics, double fraction) {
    const uint64_t count = frameIntervals(statistics);
    if (count == 0) {
        return 0.0;
    }
    double wanted = std::ceil(fraction * static_cast<double>(count));
    wanted = wanted < 1                            ? 1
             : wanted > static_cast<double>(count) ? static_cast<double>(count)
                                                   : wanted;
    const uint64_t rank = static_cast<uint64_t>(wanted);
    if (rank == 1) {
        return statistics->shortest;
    }
    if (rank == count) {
        return statistics->longest;
    }
    uint64_t seen = 0;
    int bucket = 0;
    for (; bucket < intervalBucketCount - 1; ++bucket) {
        seen += statistics->buckets[bucket];
        if (seen >= rank) {
            break;
        }
    }
    const double middle = std::exp2((bucket + 0.5) / intervalBucketsPerDoubling);
    const double shortest = statistics->shortest;
    const double longest = statistics->longest;
    return middle < shortest ? shortest : middle > longest ? longest : middle;
}

double recentJitter(const FrameStatistics* statistics) {
    const uint64_t count = frameIntervals(statistics);
    const size_t kept = count < recentIntervalCount ? static_cast<size_t>(count)
                                                    : static_cast<size_t>(recentIntervalCount);
    if (kept == 0) {
        return 0.0;
    }
    // The ring's order does not matter here, only which intervals it holds.
    double sum = 0;
    for (size_t i = 0; i < kept; ++i) {
        sum += statistics->recent[i];
    }
    const double mean = sum / static_cast<double>(kept);
    double squares = 0;
    for (size_t i = 0; i < kept; ++i) {
        const double off = statistics->recent[i] - mean;
        squares += off * off;
    }
    return std::sqrt(squares / static_cast<double>(kept));
}

void describeFrameStatistics(const FrameStatistics* statistics, uint64_t cpuMicroseconds,
                             char* line, size_t size) {
    const unsigned long long frames = statistics->frames;
    const uint64_t intervals = frameIntervals(statistics);
    int used = std::snprintf(line, size, "%llu frame%s", frames, frames == 1 ? "" : "s");
    if (intervals > 0 && used >= 0 && static_cast<size_t>(used) < size) {
        const uint64_t kept = intervals < recentIntervalCount ? intervals : recentIntervalCount;
        used += std::snprintf(line + used, size - static_cast<size_t>(used),
                              "; between presents: median %.3f ms, 99th percentile %.3f ms, "
                              "jitter %.3f ms (standard deviation of the last %llu)",
                              milliseconds(intervalPercentile(statistics, 0.5)),
                              milliseconds(intervalPercentile(statistics, 0.99)),
                              milliseconds(recentJitter(statistics)),
                              static_cast<unsigned long long>(kept));
    }
    if (frames > 0 && used >= 0 && static_cast<size_t>(used) < size) {
        std::snprintf(
            line + used, size - static_cast<size_t>(used), "; CPU %.3f ms per frame",
            milliseconds(static_cast<double>(cpuMicroseconds) / static_cast<double>(frames)));
    }
}

void describeFrameRate(uint64_t frames, uint64_t elapsedMicroseconds, uint64_t cpuMicroseconds,
                       char* line, size_t size) {
    if (frames == 0 || elapsedMicroseconds == 0) {
        std::snprintf(line, size, "%llu frames in %.1f s", static_cast<unsigned long long>(frames),
                      static_cast<double>(elapsedMicroseconds) / 1e6);
        return;
    }
    const double perSecond =
        static_cast<double>(frames) * 1e6 / static_cast<double>(elapsedMicroseconds);
    std::snprintf(line, size, "%.1f frames per second, CPU %.3f ms per frame", perSecond,
                  milliseconds(static_cast<double>(cpuMicroseconds) / static_cast<double>(frames)));
}
