// The preferences reader on any prefs.txt. Oracle: the speed is always a finite number; an
// existing file is never written; a resolution line of two plain numbers that fit is read as
// those numbers, one that does not fit or does not match leaves the resolution 0 x 0 or partly
// so, and then the speed is the default. A resolution of 1x1 to 64x64 is then flown for a few
// frames at the speed read, in a depth the input picks, under the sanitizers' checks.
#include "app/preferences.h"
#include "fuzzFlight.h"
#include "record/displayState.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "oracle failed: %s\n", what);
        std::abort();
    }
}

// A folder of this process's own, entered for each input and left again, so that libFuzzer's
// relative paths keep their meaning.
struct FolderVisit {
    char home[4096];
    FolderVisit() {
        static char folder[] = "/tmp/quarnel-fuzz-prefs-XXXXXX";
        static bool made = false;
        if (!made) {
            check(mkdtemp(folder) != nullptr, "a folder of our own");
            made = true;
        }
        check(getcwd(home, sizeof home) != nullptr && chdir(folder) == 0, "the folder entered");
    }
    ~FolderVisit() { check(chdir(home) == 0, "the folder left"); }
};

// "Resolution: W" "x" "H" with plain digits only: how much of it a reader must take.
// after: where the reading of the line stops.
bool plainResolution(const std::string& text, long long* width, long long* height, size_t* after) {
    const std::string head = "Resolution: ";
    if (text.compare(0, head.size(), head) != 0) {
        return false;
    }
    size_t at = head.size();
    auto digits = [&text, &at](long long* value) {
        const size_t start = at;
        *value = 0;
        while (at < text.size() && at - start < 12 && text[at] >= '0' && text[at] <= '9') {
            *value = *value * 10 + (text[at++] - '0');
        }
        return at > start && at - start < 12 &&
               (at == text.size() || text[at] < '0' || text[at] > '9');
    };
    if (!digits(width) || at >= text.size() || text[at] != 'x') {
        return false;
    }
    ++at;
    const bool read = digits(height);
    *after = at;
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FolderVisit visit;
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream file(preferencesPath, std::ios::binary);
        file << text;
    }
    std::memset(&display, 0, sizeof display);
    speedPreference = -1.0f;
    std::fflush(stderr);
    loadPreferences();
    check(std::isfinite(speedPreference), "the speed is a finite number");
    {
        std::ifstream file(preferencesPath, std::ios::binary);
        std::stringstream now;
        now << file.rdbuf();
        check(now.str() == text, "an existing file is left as it is");
    }
    long long width = 0;
    long long height = 0;
    size_t after = 0;
    if (plainResolution(text, &width, &height, &after)) {
        const bool fits = width <= 2147483647ll && height <= 2147483647ll;
        if (fits) {
            check(display.screenWidth == width && display.screenHeight == height,
                  "a plain resolution is read as it stands");
        } else {
            // The speed is read from where the resolution stopped: from a line of its own it
            // is not.
            const bool speedJoined = width <= 2147483647ll && text.compare(after, 6, "Speed:") == 0;
            check(speedJoined || speedPreference == 20.0f,
                  "after a resolution that does not fit the speed is 20");
            check(width > 2147483647ll ? display.screenWidth == 0 : display.screenWidth == width,
                  "a width that does not fit is not assigned");
            check(display.screenHeight == 0, "a height that does not fit is not assigned");
        }
    }
    if (display.screenWidth >= 1 && display.screenWidth <= 64 && display.screenHeight >= 1 &&
        display.screenHeight <= 64) {
        const uint64_t mix = std::hash<std::string>{}(text);
        flyDemonstration({display.screenWidth, display.screenHeight, fuzzDepth(mix),
                          static_cast<uint32_t>(mix >> 8), speedPreference, nullptr, false, 3});
    }
    return 0;
}
