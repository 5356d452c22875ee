#include "platform/host/sdl2/sdlPacing.h"

static const int probePresents = 24;

void startPacing(SdlPacing* pacing, int refreshRate, int framesPerSecondCap) {
    *pacing = SdlPacing{};
    // Reports beyond a few hundred hertz are taken as unknown, like none at all.
    if (refreshRate > 0 && refreshRate <= 1000) {
        pacing->refreshSeconds = 1.0 / refreshRate;
    }
    if (framesPerSecondCap > 0) {
        pacing->capSeconds = 1.0 / framesPerSecondCap;
    }
    // A cap slower than the refresh paces by itself; there is nothing to measure.
    pacing->probesLeft = pacing->capSeconds >= pacing->refreshSeconds ? 0 : probePresents;
}

// The interval we keep ourselves: none where vsync holds (it keeps the refresh), the refresh
// interval where it does not, and never shorter than the user's cap.
static double ownInterval(const SdlPacing& pacing) {
    double interval = pacing.refreshSeconds;
    if (pacing.probesLeft > 0) {
        interval = pacing.refreshSeconds * 0.75;
    } else if (pacing.vsyncHolds) {
        interval = 0;
    }
    return interval > pacing.capSeconds ? interval : pacing.capSeconds;
}

double pacingWait(SdlPacing* pacing, double now) {
    double interval = ownInterval(*pacing);
    if (interval <= 0 || pacing->nextStart < 0) {
        pacing->nextStart = now + interval;
        return 0;
    }
    double start = pacing->nextStart;
    // Late by more than a whole interval (a slow frame, a suspension): start afresh from now
    // rather than hurry through the missed presents.
    if (now > start + interval) {
        start = now;
    }
    pacing->nextStart = start + interval;
    return start > now ? start - now : 0;
}

void notePresentDone(SdlPacing* pacing, double now) {
    double previous = pacing->lastPresentEnd;
    pacing->lastPresentEnd = now;
    if (previous < 0) {
        return;
    }
    double interval = now - previous;
    if (pacing->probesLeft > 0) {
        // The plain mean of the probes, then a slow running mean.
        int taken = probePresents - pacing->probesLeft;
        pacing->meanInterval = (pacing->meanInterval * taken + interval) / (taken + 1);
        pacing->probesLeft--;
        if (pacing->probesLeft == 0) {
            pacing->vsyncHolds = pacing->meanInterval >= pacing->refreshSeconds * 0.9;
        }
        return;
    }
    pacing->meanInterval += (interval - pacing->meanInterval) / 16;
    // Presents coming well faster than the refresh: nobody holds them back any more.
    if (pacing->vsyncHolds && pacing->meanInterval < pacing->refreshSeconds * 0.7) {
        pacing->vsyncHolds = false;
    }
}
