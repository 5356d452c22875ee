// When the next present may go out. The program's motion is per frame, so its speed follows the
// present rate: where the driver waits for the display's refresh (vsync), that wait paces it;
// where it does not (a virtual display, vsync off), we wait for the display's refresh interval as
// SDL reports it, or 80 times a second when nothing is known. A user's
// frames-per-second cap holds in either case.
//
// Whether vsync holds is measured, not believed: the first presents are sent a quarter of a
// refresh early; when the driver holds them back, the intervals between presents come out at the
// refresh interval, and when it does not, at three quarters of it. Later presents keep being
// measured, so a vsync that stops holding (a window moved to another screen) is noticed.
#pragma once

struct SdlPacing {
    double refreshSeconds = 1.0 / 80; // the display's refresh interval, or the fallback
    double capSeconds = 0;            // the user's shortest interval; 0: none
    int probesLeft = 0;               // presents still sent early to see whether vsync holds
    bool vsyncHolds = false;
    double meanInterval = 0;    // between the ends of consecutive presents, smoothed
    double lastPresentEnd = -1; // seconds; negative before the first present
    double nextStart = -1;      // the earliest start of the next present; negative: at once
};

// refreshRate: the display's refresh in hertz as SDL reports it (0 or less: unknown);
// framesPerSecondCap: the user's cap (0: none).
void startPacing(SdlPacing* pacing, int refreshRate, int framesPerSecondCap);

// How long to wait at `now` before presenting (0: present at once). Called once per present.
double pacingWait(SdlPacing* pacing, double now);

// The present that followed the last pacingWait returned at `now`.
void notePresentDone(SdlPacing* pacing, double now);
