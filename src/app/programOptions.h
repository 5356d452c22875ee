// Options the process entry takes before appMain, which keeps ignoring its command line.
// Without any of them the program behaves exactly as it always has. A word that does not look
// like an option (begins with neither - nor /) is ignored with one line on standard error; an
// option word that is none of ours, or that belongs to another way to run (the demonstration,
// the Windows screensaver, the XScreenSaver hack), is refused.
#pragma once

#include "platform/hostWindow.h"

#include <cstdint>
#include <string>
#include <vector>

// How the program runs as a screensaver, chosen by the words the system starts it with.
enum class SaverMode {
    none,              // the demonstration
    windowsFullScreen, // /s: the autopilot full-screen, ending on any input
    windowsPreview,    // /p HWND: a small flight drawn into another program's window
    windowsSettings,   // /c [HWND]: the settings dialog, modal to the window when one is given
    windowsPassword,   // /a HWND: the old password request; nothing to do
    x11Root,           // -root: XSCREENSAVER_WINDOW when set, else the root window
    x11WindowId,       // -window-id ID: a window the daemon made
    x11OwnWindow,      // -window: a window of the hack's own, for trying it
};

struct ProgramOptions {
    bool showHelp;    // --help: print programHelp and end with status 0
    bool showVersion; // --version: print the version and end with status 0
    // --windowed, --display N, --fps N, --scale fit|integer: for the host that shows the window.
    HostWindowOptions window;
    std::string recordPath; // --record FILE: keep the flight in FILE ("": not recorded)
    bool autopilot;         // --autopilot: fly by itself until the person moves or presses
    bool desktop;           // --desktop: the files in the XDG folders, not the working folder
    int threads;            // --threads N: threads that grow the scene; 0 (no option) means all
    SaverMode saverMode;
    uint64_t saverWindow; // the handle or id given with /p, /c, /a or -window-id; 0 if none
    // --speed S (-speed S): the drift speed instead of the preferences', for this run only; the
    // hack has no preferences file.
    bool saverSpeedGiven;
    float saverSpeed;
    int saverWidth; // --size WxH (-size WxH): the resolution, likewise; 0 x 0 when not given
    int saverHeight;
    bool frameStatistics; // --stats: the frame pacing on standard error at the end
    // -fps (one dash: --fps is the window's rate): the frame rate on standard error now and then.
    bool saverFrameRate;
    uint32_t saverDelay; // -delay N (--delay N): microseconds waited after each frame
};

extern ProgramOptions programOptions;

// Splits a command line (the program's name already skipped) into words as Windows does:
// white space separates, double quotes group, backslashes escape a quote only before one.
std::vector<std::string> splitCommandLine(const char* commandLine);

// Every option with its values and defaults, for --help.
extern const char* const programHelp;

// Resets programOptions and takes the options it knows from words. Returns 0, or the exit
// status after one line on standard error: 1 for a window handle or id that cannot name a
// window; 2 for any other bad or missing value, an unknown option word (the line names the
// nearest option when one is close), an option of another way to run, or two ways to run.
int parseProgramOptions(const std::vector<std::string>& words);

// An X window id as daemons write it: decimal, or hexadecimal after 0x; not 0, at most 32 bits.
bool parseWindowId(const char* text, uint64_t* id);
