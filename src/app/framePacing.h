// What the frame loop does at each present besides presenting, as the run's settings ask: the
// statistics of --stats, the frame rate that -fps says every few seconds, and the wait of -delay.
// Without any of them it does nothing at all, not even read a clock.
#pragma once

#include "app/frameStatistics.h"

// How often -fps speaks.
const uint64_t frameRatePeriodMicroseconds = 5000000;

// Empties the statistics and starts the frame rate's first period.
void startFramePacing();

// At each present of the loop: the present noted, the frame rate said when a period is over, then
// the delay (cut short by a SIGTERM).
void paceFramePresent();

// The run's statistics, said on standard error after the program's name (describeFrameStatistics,
// with the process's CPU time so far).
void sayFrameStatistics(const char* program);

// The run's statistics so far (none when the settings ask for neither readout).
const FrameStatistics& runFrameStatistics();
