#include "app/programOptions.h"

#include "util/asciiCase.h"
#include "util/numberText.h"

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

ProgramOptions programOptions;

std::vector<std::string> splitCommandLine(const char* commandLine) {
    std::vector<std::string> words;
    const char* at = commandLine;
    for (;;) {
        while (*at == ' ' || *at == '\t') {
            ++at;
        }
        if (*at == '\0') {
            return words;
        }
        std::string word;
        bool quoted = false;
        while (*at != '\0' && (quoted || (*at != ' ' && *at != '\t'))) {
            size_t backslashes = 0;
            while (*at == '\\') {
                ++backslashes;
                ++at;
            }
            if (*at == '"') {
                word.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    word += '"';
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                word.append(backslashes, '\\');
                if (*at != '\0' && (quoted || (*at != ' ' && *at != '\t'))) {
                    word += *at++;
                }
            }
        }
        words.push_back(word);
    }
}

namespace {

// The ways to run that an option may be given with.
const unsigned inDemonstration = 1;
const unsigned inWindowsSaver = 2;
const unsigned inX11Hack = 4;
const unsigned inEveryMode = inDemonstration | inWindowsSaver | inX11Hack;

// One row per option: its word, whether it takes the next word as its value, and what it does
// with it (false: the value is bad, and the handler has said why on standard error).
struct OptionRow {
    const char* word;
    bool takesValue;
    bool (*take)(const char* value);
    unsigned modes;
    // Windows' screensaver words: any letter case, and the value may follow a colon (/p:1234).
    bool windowsWord = false;
    // The next word is the value only when it is a number (/c and /c HWND).
    bool valueOptional = false;
    int badValueStatus = 2;
    // XScreenSaver's words, which its newer hacks also take with two dashes (--root).
    bool x11Word = false;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Windows writes a handle as an unsigned decimal number, as wide as a pointer.
bool parseWindowsHandle(const char* text, uint64_t* handle) {
    return text != nullptr && readCount(text, std::numeric_limits<uintptr_t>::max(), handle);
}

bool takeHandle(const char* word, const char* value, SaverMode mode, bool zeroAllowed) {
    uint64_t handle = 0;
    if (value != nullptr &&
        (!parseWindowsHandle(value, &handle) || (handle == 0 && !zeroAllowed))) {
        std::fprintf(stderr,
                     "quarnel: %s needs a window handle (an unsigned decimal number), not \"%s\"\n",
                     word, value);
        return false;
    }
    programOptions.saverMode = mode;
    programOptions.saverWindow = handle;
    return true;
}

bool takeVersion(const char*) {
    programOptions.showVersion = true;
    return true;
}

bool takeHelp(const char*) {
    programOptions.showHelp = true;
    return true;
}

// A whole decimal number from lowest to highest, or a line on standard error naming the option.
bool takeWholeNumber(const char* option, const char* value, long lowest, long highest,
                     int* number) {
    int64_t parsed = 0;
    if (!readWholeNumber(value, lowest, highest, &parsed)) {
        std::fprintf(stderr, "quarnel: %s takes a whole number from %ld to %ld, not \"%s\"\n",
                     option, lowest, highest, value);
        return false;
    }
    *number = static_cast<int>(parsed);
    return true;
}

bool takeWindowed(const char*) {
    programOptions.window.windowed = true;
    return true;
}

bool takeDisplay(const char* value) {
    // Whether the monitor exists is for the host to say when it opens the window.
    return takeWholeNumber("--display", value, 0, 255, &programOptions.window.display);
}

bool takeFramesPerSecond(const char* value) {
    return takeWholeNumber("--fps", value, 1, 1000, &programOptions.window.framesPerSecond);
}

bool takeScale(const char* value) {
    if (std::strcmp(value, "fit") == 0) {
        programOptions.window.scaling = HostScaling::fit;
    } else if (std::strcmp(value, "integer") == 0) {
        programOptions.window.scaling = HostScaling::integer;
    } else {
        std::fprintf(stderr, "quarnel: --scale takes fit or integer, not \"%s\"\n", value);
        return false;
    }
    return true;
}

bool takeThreads(const char* value) {
    return takeWholeNumber("--threads", value, 1, 256, &programOptions.threads);
}

bool takeRecord(const char* value) {
    if (*value == '\0') {
        std::fprintf(stderr, "quarnel: --record needs a file name\n");
        return false;
    }
    programOptions.recordPath = value;
    return true;
}

bool takeDesktop(const char*) {
    programOptions.desktop = true;
    return true;
}

bool takeAutopilot(const char*) {
    programOptions.autopilot = true;
    return true;
}

bool takeFullScreen(const char*) {
    programOptions.saverMode = SaverMode::windowsFullScreen;
    programOptions.saverWindow = 0;
    return true;
}

bool takePreview(const char* value) {
    return takeHandle("/p", value, SaverMode::windowsPreview, false);
}

bool takeSettings(const char* value) {
    return takeHandle("/c", value, SaverMode::windowsSettings, true);
}

bool takePassword(const char* value) {
    return takeHandle("/a", value, SaverMode::windowsPassword, true);
}

bool takeRoot(const char*) {
    programOptions.saverMode = SaverMode::x11Root;
    programOptions.saverWindow = 0;
    return true;
}

bool takeWindowId(const char* value) {
    uint64_t id = 0;
    if (!parseWindowId(value, &id)) {
        std::fprintf(stderr,
                     "quarnel: -window-id needs an X window id (decimal or 0x hexadecimal), not "
                     "\"%s\"\n",
                     value);
        return false;
    }
    programOptions.saverMode = SaverMode::x11WindowId;
    programOptions.saverWindow = id;
    return true;
}

bool takeOwnWindow(const char*) {
    programOptions.saverMode = SaverMode::x11OwnWindow;
    programOptions.saverWindow = 0;
    return true;
}

// Any finite speed, as the preferences file takes it: a recorded flight's speed comes from
// there, and every door replays it.
bool takeSpeed(const char* value) {
    float speed = 0;
    if (!readReal(value, -FLT_MAX, FLT_MAX, &speed)) {
        std::fprintf(stderr,
                     "quarnel: --speed needs a finite number such as 20 or 7.5, not \"%s\"\n",
                     value);
        return false;
    }
    programOptions.saverSpeedGiven = true;
    programOptions.saverSpeed = speed;
    return true;
}

bool takeSize(const char* value) {
    int32_t width = 0;
    int32_t height = 0;
    if (!readSize(value, 16384, &width, &height)) {
        std::fprintf(stderr,
                     "quarnel: --size needs a width and height from 1 to 16384 such as 800x600, "
                     "not \"%s\"\n",
                     value);
        return false;
    }
    programOptions.saverWidth = width;
    programOptions.saverHeight = height;
    return true;
}

bool takeStatistics(const char*) {
    programOptions.frameStatistics = true;
    return true;
}

bool takeSaverFrameRate(const char*) {
    programOptions.saverFrameRate = true;
    return true;
}

// Ten seconds at most: a hack that slow is a still picture.
bool takeDelay(const char* value) {
    int delay = 0;
    if (!takeWholeNumber("-delay", value, 0, 10000000, &delay)) {
        return false;
    }
    programOptions.saverDelay = static_cast<uint32_t>(delay);
    return true;
}

// What a daemon or a person may pass that means nothing here: the window and its visual are
// the daemon's, and the picture is true colour whatever the visual.
bool takeIgnored(const char*) {
    return true;
}

const unsigned demo = inDemonstration;
const unsigned hack = inX11Hack;
const unsigned windows = inWindowsSaver;

const OptionRow optionRows[] = {
    {"--help", false, takeHelp, inEveryMode},
    {"--version", false, takeVersion, inEveryMode},
    {"--windowed", false, takeWindowed, demo},
    {"--display", true, takeDisplay, demo},
    {"--fps", true, takeFramesPerSecond, demo},
    {"--scale", true, takeScale, demo},
    {"--record", true, takeRecord, demo},
    {"--autopilot", false, takeAutopilot, demo},
    {"--desktop", false, takeDesktop, demo},
    {"--threads", true, takeThreads, demo},
    {"/s", false, takeFullScreen, windows, true},
    {"/p", true, takePreview, windows, true, false, 1},
    {"/c", true, takeSettings, windows, true, true, 1},
    {"/a", true, takePassword, windows, true, true, 1},
    {"-root", false, takeRoot, hack, false, false, 2, true},
    {"-window-id", true, takeWindowId, hack, false, false, 1, true},
    // One dash only: --window is a slip for --windowed far more often than a wish for the hack.
    {"-window", false, takeOwnWindow, hack},
    {"-speed", true, takeSpeed, demo | hack, false, false, 2, true},
    {"-size", true, takeSize, demo | hack, false, false, 2, true},
    {"--stats", false, takeStatistics, demo | hack},
    {"-delay", true, takeDelay, hack, false, false, 2, true},
    // One dash only: --fps is the window's rate.
    {"-fps", false, takeSaverFrameRate, hack},
    {"-install", false, takeIgnored, hack, false, false, 2, true},
    {"-noinstall", false, takeIgnored, hack, false, false, 2, true},
    {"-visual", true, takeIgnored, hack, false, false, 2, true},
};

// The row a word names, and the value attached to it after a colon, if any.
const OptionRow* findRow(const std::string& word, const char** attachedValue) {
    *attachedValue = nullptr;
    for (const OptionRow& row : optionRows) {
        if (!row.windowsWord) {
            if (word == row.word || (row.x11Word && word == std::string("-") + row.word)) {
                return &row;
            }
            continue;
        }
        // The rows spell Windows' words in lower case.
        const size_t length = std::strlen(row.word);
        std::string letters = word.substr(0, length);
        for (char& c : letters) {
            c = static_cast<char>(toLowerAscii(c));
        }
        if (letters != row.word) {
            continue;
        }
        if (word.size() == length) {
            return &row;
        }
        if (word[length] == ':' && row.takesValue) {
            *attachedValue = word.c_str() + length + 1;
            return &row;
        }
    }
    return nullptr;
}

} // namespace

bool parseWindowId(const char* text, uint64_t* id) {
    uint64_t value = 0;
    if (text == nullptr ||
        !readCount(text, 0xFFFFFFFFu, &value, CountDigits::decimalOrHexadecimal) || value == 0) {
        return false;
    }
    *id = value;
    return true;
}

const char* const programHelp =
    "usage: quarnel [OPTION...]\n"
    "Without options, the demonstration: full screen at the size and drift speed in prefs.txt\n"
    "in the current folder, made with 800x600 and 20 when missing. Mouse steers, left and\n"
    "right buttons speed up and slow down, Escape or Q quits, F12 takes a screenshot.\n"
    "\n"
    "The demonstration:\n"
    "  --size WxH          draw at WxH pixels, 1 to 16384 each, for this run only; prefs.txt\n"
    "                      is read when it is there but never written (default: prefs.txt)\n"
    "  --speed S           drift speed, any finite number, likewise (default: prefs.txt)\n"
    "  --windowed          in a window instead of full screen (Alt+Enter switches)\n"
    "  --display N         the monitor to use, 0 to 255 (default: the first)\n"
    "  --fps N             frames per second, 1 to 1000 (default: the monitor's rate)\n"
    "  --scale fit|integer how the picture fills the window (default: fit)\n"
    "  --record FILE       keep the flight in FILE, for quarnel-render to replay (default: none)\n"
    "  --autopilot         fly by itself until the mouse moves or a button is pressed\n"
    "  --threads N         threads that grow the scene, 1 to 256 (default: all there are)\n"
    "  --stats             at the end, on standard error: the frames, the median and 99th\n"
    "                      percentile time between presents, the jitter (standard deviation\n"
    "                      of the last 256) and the CPU time per frame (the hack's too)\n"
    "  --desktop           as a desktop menu starts it: prefs.txt in $XDG_CONFIG_HOME/quarnel\n"
    "                      (~/.config/quarnel), F12's screenshots in the XDG pictures folder\n"
    "                      (~/Pictures); on Windows the working folder all the same\n"
    "\n"
    "The XScreenSaver hack (the daemon passes these; the one-dash words take two dashes too,\n"
    "but for -window and -fps):\n"
    "  -root, --root       draw on XSCREENSAVER_WINDOW, or else the root window\n"
    "  -window-id ID       draw on the window ID (decimal or 0x hexadecimal)\n"
    "  -window             draw on a window of its own, to try it\n"
    "  --size WxH          as above (default: 800x600; the hack has no prefs.txt)\n"
    "  --speed S           as above (default: 20)\n"
    "  -delay N            wait N microseconds after each frame, 0 to 10000000 (default: 0)\n"
    "  -fps                every 5 seconds, on standard error: frames per second and CPU time\n"
    "                      per frame (--fps N is the demonstration's)\n"
    "  --stats             as above\n"
    "  -install, -noinstall, -visual V\n"
    "                      taken and ignored: the daemon's window and visual are used as given\n"
    "\n"
    "The Windows screensaver (quarnel.scr; Windows passes these):\n"
    "  /s                  full screen until any input\n"
    "  /p HWND             a preview inside the window HWND\n"
    "  /c [HWND]           the settings dialog (also quarnel.scr without options)\n"
    "  /a HWND             the password request, which does nothing\n"
    "\n"
    "  --help              this text\n"
    "  --version           the version\n"
    "An option of one way to run refuses the others' options. A word that is no option (does\n"
    "not begin with - or /) is ignored.\n";

namespace {

// Edits that turn a into b: insertions, deletions and replacements of one character, and swaps
// of two neighbours (the commonest slip of all).
size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) {
        for (size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = i + j;
                continue;
            }
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] != b[j - 1] ? 1 : 0)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// How an option word begins: "--", "-" or "/".
std::string leadOf(const std::string& word) {
    return word.compare(0, 2, "--") == 0 ? "--" : word.substr(0, 1);
}

// The option a slip most likely meant: the closest spelling with the same lead, when it keeps
// most of the word; "" when none does.
std::string nearestOption(const std::string& word) {
    std::string best;
    size_t bestDistance = 3;
    for (const OptionRow& row : optionRows) {
        for (int dashes = 0; dashes < (row.x11Word ? 2 : 1); ++dashes) {
            const std::string spelling = std::string(dashes, '-') + row.word;
            const size_t distance = editDistance(word, spelling);
            // -windowed is as likely to mean --windowed as a hack's word.
            const bool sameLead = leadOf(spelling) == leadOf(word) ||
                                  (leadOf(word) == "-" && leadOf(spelling) == "--");
            if (sameLead && distance < bestDistance && distance * 3 <= word.size()) {
                best = spelling;
                bestDistance = distance;
            }
        }
    }
    return best;
}

unsigned modeOf(SaverMode mode) {
    switch (mode) {
    case SaverMode::none:
        return inDemonstration;
    case SaverMode::windowsFullScreen:
    case SaverMode::windowsPreview:
    case SaverMode::windowsSettings:
    case SaverMode::windowsPassword:
        return inWindowsSaver;
    case SaverMode::x11Root:
    case SaverMode::x11WindowId:
    case SaverMode::x11OwnWindow:
        return inX11Hack;
    }
    return inDemonstration;
}

const char* modeName(unsigned mode) {
    return mode == inWindowsSaver ? "the Windows screensaver"
           : mode == inX11Hack    ? "the XScreenSaver hack"
                                  : "the demonstration";
}

} // namespace

int parseProgramOptions(const std::vector<std::string>& words) {
    programOptions = ProgramOptions{};
    // The rows given, with the word each was given as, to check against the way to run.
    std::vector<std::pair<const OptionRow*, std::string>> given;
    std::string modeWord;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const char* value = nullptr;
        const OptionRow* row = findRow(word, &value);
        if (row == nullptr) {
            if (word.empty() || (word[0] != '-' && word[0] != '/')) {
                std::fprintf(stderr, "quarnel: ignoring argument \"%s\"\n", word.c_str());
                continue;
            }
            const std::string nearest = nearestOption(word);
            std::fprintf(stderr,
                         "quarnel: unknown option \"%s\"%s%s%s; quarnel --help lists them\n",
                         word.c_str(), nearest.empty() ? "" : " (did you mean ", nearest.c_str(),
                         nearest.empty() ? "" : "?)");
            return 2;
        }
        if (row->takesValue && value == nullptr) {
            const bool nextIsValue =
                i + 1 < words.size() && (!row->valueOptional || isDigit(words[i + 1][0]));
            if (nextIsValue) {
                value = words[++i].c_str();
            } else if (!row->valueOptional) {
                std::fprintf(stderr, "quarnel: %s needs a value\n", row->word);
                return row->badValueStatus;
            }
        }
        const SaverMode before = programOptions.saverMode;
        if (!row->take(value)) {
            return row->badValueStatus;
        }
        if (programOptions.saverMode != before) {
            if (before != SaverMode::none && modeOf(before) != modeOf(programOptions.saverMode)) {
                std::fprintf(stderr, "quarnel: %s and %s are two ways to run; give one\n",
                             modeWord.c_str(), word.c_str());
                return 2;
            }
            modeWord = word;
        }
        given.emplace_back(row, word);
    }
    const unsigned mode = modeOf(programOptions.saverMode);
    for (const auto& [row, word] : given) {
        if ((row->modes & mode) == 0) {
            const std::string chosenBy = modeWord.empty() ? "" : " (" + modeWord + ")";
            std::fprintf(stderr, "quarnel: %s is not an option of %s%s\n", word.c_str(),
                         modeName(mode), chosenBy.c_str());
            return 2;
        }
    }
    return 0;
}
