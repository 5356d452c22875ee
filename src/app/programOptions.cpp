#include "app/programOptions.h"

#include "util/asciiCase.h"
#include "util/numberText.h"

#include <cfloat>
#include <cstdio>
#include <cstring>
#include <limits>

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

// One row per option: its word, whether it takes the next word as its value, and what it does
// with it (false: the value is bad, and the handler has said why on standard error).
struct OptionRow {
    const char* word;
    bool takesValue;
    bool (*take)(const char* value);
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
        std::fprintf(
            stderr, "quarnel: -speed needs a finite number such as 20 or 7.5, not \"%s\"\n", value);
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
                     "quarnel: -size needs a width and height from 1 to 16384 such as 800x600, "
                     "not \"%s\"\n",
                     value);
        return false;
    }
    programOptions.saverWidth = width;
    programOptions.saverHeight = height;
    return true;
}

const OptionRow optionRows[] = {
    {"--version", false, takeVersion},
    {"--windowed", false, takeWindowed},
    {"--display", true, takeDisplay},
    {"--fps", true, takeFramesPerSecond},
    {"--scale", true, takeScale},
    {"--record", true, takeRecord},
    {"--autopilot", false, takeAutopilot},
    {"--threads", true, takeThreads},
    {"/s", false, takeFullScreen, true},
    {"/p", true, takePreview, true, false, 1},
    {"/c", true, takeSettings, true, true, 1},
    {"/a", true, takePassword, true, true, 1},
    {"-root", false, takeRoot, false, false, 2, true},
    {"-window-id", true, takeWindowId, false, false, 1, true},
    {"-window", false, takeOwnWindow, false, false, 2, true},
    {"-speed", true, takeSpeed, false, false, 2, true},
    {"-size", true, takeSize, false, false, 2, true},
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

int parseProgramOptions(const std::vector<std::string>& words) {
    programOptions = ProgramOptions{};
    for (size_t i = 0; i < words.size(); ++i) {
        const char* value = nullptr;
        const OptionRow* row = findRow(words[i], &value);
        if (row == nullptr) {
            std::fprintf(stderr, "quarnel: ignoring argument \"%s\"\n", words[i].c_str());
            continue;
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
        if (!row->take(value)) {
            return row->badValueStatus;
        }
    }
    return 0;
}
