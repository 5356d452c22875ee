// quarnel-render's command line and its file-name pattern. The input is the words of a command
// line, separated by zero bytes. Oracle: accepted options are within their bounds, and every
// accepted pattern expands to the same names as an independent expansion, for any number.
#include "../../tools/render/renderOptions.h"
#include "../../tools/render/videoOut.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "oracle failed: %s\n", what);
        std::abort();
    }
}

// %% is a percent sign; %d, %Nd and %0Nd put the number in, right-aligned in N characters,
// padded with spaces or (after the sign) with zeros.
std::string expand(const std::string& pattern, int number) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out.push_back(pattern[i]);
            continue;
        }
        ++i;
        if (pattern[i] == '%') {
            out.push_back('%');
            continue;
        }
        const bool zeros = pattern[i] == '0';
        if (zeros) {
            ++i;
        }
        size_t width = 0;
        while (pattern[i] >= '0' && pattern[i] <= '9') {
            width = width * 10 + static_cast<size_t>(pattern[i++] - '0');
        }
        const long long value = number;
        const std::string sign = value < 0 ? "-" : "";
        const std::string digits = std::to_string(value < 0 ? -value : value);
        const size_t length = sign.size() + digits.size();
        const size_t pad = width > length ? width - length : 0;
        out +=
            zeros ? sign + std::string(pad, '0') + digits : std::string(pad, ' ') + sign + digits;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"quarnel-render"};
    std::string word;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word.push_back(static_cast<char>(data[i]));
        }
    }
    words.push_back(word);
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(&w[0]);
    }
    argv.push_back(nullptr);

    RenderOptions options;
    std::string error;
    if (parseRenderOptions(static_cast<int>(words.size()), argv.data(), &options, &error)) {
        // Without --size the size comes later, from a flight's header or the default.
        check(options.haveSize ? options.width >= 1 && options.width <= 16384 &&
                                     options.height >= 1 && options.height <= 16384
                               : options.width == 0 && options.height == 0,
              "the size is within 1 to 16384, or left to the flight");
        check(options.depth == 24 || options.depth == 32, "the depth is 24 or 32");
        check(options.frames >= 0 && options.frames <= 1000000, "the frames are within bounds");
        check(options.outPattern.empty() || videoKind(options.outPattern) != VideoKind::none ||
                  validFramePattern(options.outPattern),
              "the output is a video, a stream or a pattern printf may take");
    } else {
        check(!error.empty(), "a refusal says why");
    }
    // Every word as a pattern, with numbers at the edges.
    for (size_t i = 1; i < words.size(); ++i) {
        if (!validFramePattern(words[i])) {
            continue;
        }
        for (int number : {0, 7, -1, 2147483647, -2147483647 - 1, 123456}) {
            check(frameFileName(words[i], number) == expand(words[i], number),
                  "the name is the pattern's independent expansion");
        }
    }
    return 0;
}
