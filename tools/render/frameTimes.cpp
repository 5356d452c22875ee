#include "frameTimes.h"

#include <cmath>

namespace {

int bucketOf(double milliseconds) {
    if (!(milliseconds > frameTimeFloorMilliseconds)) {
        return 0;
    }
    const double index = std::floor(std::log2(milliseconds / frameTimeFloorMilliseconds) *
                                    frameTimeBucketsPerDoubling);
    return index >= frameTimeBuckets - 1 ? frameTimeBuckets - 1 : static_cast<int>(index);
}

} // namespace

void addFrameTime(FrameTimes* times, double milliseconds) {
    if (times->count == 0 || milliseconds < times->least) {
        times->least = milliseconds;
    }
    if (times->count == 0 || milliseconds > times->most) {
        times->most = milliseconds;
    }
    ++times->count;
    times->total += milliseconds;
    // A bucket that would wrap stays full instead: 4 billion frames are months of rendering.
    if (times->buckets[bucketOf(milliseconds)] != UINT32_MAX) {
        ++times->buckets[bucketOf(milliseconds)];
    }
}

double frameTimeMedian(const FrameTimes* times) {
    return frameTimePercentile(times, 0.5);
}

double frameTimePercentile(const FrameTimes* times, double fraction) {
    if (times->count == 0) {
        return 0.0;
    }
    // The element a sorted list would hold at count × fraction, taken at its bucket's middle.
    const uint64_t index = static_cast<uint64_t>(static_cast<double>(times->count) * fraction);
    uint64_t seen = 0;
    int bucket = 0;
    for (; bucket < frameTimeBuckets - 1; ++bucket) {
        seen += times->buckets[bucket];
        if (seen > index) {
            break;
        }
    }
    const double middle =
        frameTimeFloorMilliseconds * std::exp2((bucket + 0.5) / frameTimeBucketsPerDoubling);
    return middle < times->least ? times->least : middle > times->most ? times->most : middle;
}
