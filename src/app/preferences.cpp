#include "app/preferences.h"

#include "display/displayState.h"

#include <cstdio>

float speedPreference;

#if defined(_WIN32)
const char* const preferencesPath = ".\\prefs.txt";
#else
const char* const preferencesPath = "prefs.txt";
#endif

void loadPreferences() {
    FILE* file = std::fopen(preferencesPath, "rt");
    if (file != nullptr) {
        // A value whose read fails is not assigned: a resolution that does not match stays as
        // it was (0 x 0 on a fresh start, which the display refuses), and the speed keeps its
        // default.
        speedPreference = 20.0f;
        static_assert(sizeof(int) == sizeof(display.screenWidth), "read straight into the record");
        int matched =
            std::fscanf(file, "Resolution: %dx%d\n", &display.screenWidth, &display.screenHeight);
        matched = std::fscanf(file, "Speed: %f", &speedPreference);
        (void)matched;
        std::fclose(file);
        return;
    }
    speedPreference = 20.0f;
    display.screenWidth = 800;
    display.screenHeight = 600;
    // A file that cannot be created is simply not written; the defaults hold all the same.
    file = std::fopen(preferencesPath, "wt");
    if (file == nullptr) {
        return;
    }
    std::fprintf(file, "Resolution: %dx%d\n", 800, 600);
    std::fprintf(file, "Speed: %f\n", 20.0);
    std::fclose(file);
}
