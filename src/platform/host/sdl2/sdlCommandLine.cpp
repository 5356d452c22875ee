// GetCommandLineA's text: the process's arguments joined as Windows would show them, those with
// spaces in quotes.
#include "platform/host/sdl2/sdlState.h"

#include <fstream>
#include <iterator>
#include <string>

static std::string readArguments(void) {
#if defined(__linux__)
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string joined;
    size_t start = 0;
    while (start < raw.size()) {
        size_t end = raw.find('\0', start);
        if (end == std::string::npos) {
            end = raw.size();
        }
        std::string argument = raw.substr(start, end - start);
        if (!joined.empty()) {
            joined += ' ';
        }
        bool quoted = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        joined += quoted ? "\"" + argument + "\"" : argument;
        start = end + 1;
    }
    if (!joined.empty()) {
        return joined;
    }
#endif
    return "quarnel";
}

const char* sdlCommandLine(void) {
    static const std::string text = readArguments();
    return text.c_str();
}
