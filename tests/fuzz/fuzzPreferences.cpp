// The preferences reader on any prefs.txt. Oracle: the speed is always a finite number; an
// existing file is never written; a resolution line of two plain numbers that fit is read as
// those numbers, one that does not fit or does not match leaves the resolution 0 x 0 or partly
// so, and then the speed is the default.
#include "app/preferences.h"
#include "display/displayState.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
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

// A folder of this process's own, entered once.
void enterFolder() {
    static bool entered = false;
    if (entered) {
        return;
    }
    char pattern[] = "/tmp/quarnel-fuzz-prefs-XXXXXX";
    check(mkdtemp(pattern) != nullptr && chdir(pattern) == 0, "a folder of our own");
    entered = true;
}

// "Resolution: W" "x" "H" with plain digits only: how much of it a reader must take.
bool plainResolution(const std::string& text, long long* width, long long* height) {
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
    return digits(height);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    enterFolder();
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
    if (plainResolution(text, &width, &height)) {
        const bool fits = width <= 2147483647ll && height <= 2147483647ll;
        if (fits) {
            check(display.screenWidth == width && display.screenHeight == height,
                  "a plain resolution is read as it stands");
        } else {
            check(speedPreference == 20.0f, "after a resolution that does not fit the speed is 20");
            check(width > 2147483647ll ? display.screenWidth == 0 : display.screenWidth == width,
                  "a width that does not fit is not assigned");
            check(display.screenHeight == 0, "a height that does not fit is not assigned");
        }
    }
    return 0;
}
