// Options the process entry takes before appMain, which keeps ignoring its command line.
// Without any of them the program behaves exactly as it always has; a word that is none of
// ours is ignored with one line on standard error.
#pragma once

#include "platform/hostWindow.h"

#include <string>
#include <vector>

struct ProgramOptions {
    bool showVersion; // --version: print the version and end with status 0
    // --windowed, --display N, --fps N, --scale fit|integer: for the host that shows the window.
    HostWindowOptions window;
    std::string recordPath; // --record FILE: keep the flight in FILE ("": not recorded)
    bool autopilot;         // --autopilot: fly by itself until the person moves or presses
    int threads;            // --threads N: threads that grow the scene; 0 (no option) means all
};

extern ProgramOptions programOptions;

// Splits a command line (the program's name already skipped) into words as Windows does:
// white space separates, double quotes group, backslashes escape a quote only before one.
std::vector<std::string> splitCommandLine(const char* commandLine);

// Resets programOptions and takes the options it knows from words. Returns 0, or 2 after one
// line on standard error when an option of ours has a missing or bad value.
int parseProgramOptions(const std::vector<std::string>& words);
