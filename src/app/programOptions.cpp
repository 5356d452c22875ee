#include "app/programOptions.h"

#include <cstdio>
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

const OptionRow optionRows[] = {
    {"--version", false, takeVersion},
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
