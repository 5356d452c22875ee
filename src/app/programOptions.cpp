#include "app/programOptions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
};

bool takeVersion(const char*) {
    programOptions.showVersion = true;
    return true;
}

// A whole decimal number from lowest to highest, or a line on standard error naming the option.
bool takeWholeNumber(const char* option, const char* value, long lowest, long highest,
                     int* number) {
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(value, &end, 10);
    if (value[0] < '0' || value[0] > '9' || *end != '\0' || errno != 0 || parsed < lowest ||
        parsed > highest) {
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

const OptionRow optionRows[] = {
    {"--version", false, takeVersion},     {"--windowed", false, takeWindowed},
    {"--display", true, takeDisplay},      {"--fps", true, takeFramesPerSecond},
    {"--scale", true, takeScale},          {"--record", true, takeRecord},
    {"--autopilot", false, takeAutopilot}, {"--threads", true, takeThreads},
};

} // namespace

int parseProgramOptions(const std::vector<std::string>& words) {
    programOptions = ProgramOptions{};
    for (size_t i = 0; i < words.size(); ++i) {
        const OptionRow* row = nullptr;
        for (const OptionRow& candidate : optionRows) {
            if (words[i] == candidate.word) {
                row = &candidate;
            }
        }
        if (row == nullptr) {
            std::fprintf(stderr, "quarnel: ignoring argument \"%s\"\n", words[i].c_str());
            continue;
        }
        const char* value = nullptr;
        if (row->takesValue) {
            if (i + 1 >= words.size()) {
                std::fprintf(stderr, "quarnel: %s needs a value\n", row->word);
                return 2;
            }
            value = words[++i].c_str();
        }
        if (!row->take(value)) {
            return 2;
        }
    }
    return 0;
}
