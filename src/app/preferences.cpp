#include "app/preferences.h"

#include "platform/win32.h"
#include "record/displayState.h"
#include "util/numberText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

float speedPreference;

#if defined(_WIN32)
const char* preferencesPath = ".\\prefs.txt";
#else
const char* preferencesPath = "prefs.txt";
#endif

namespace {

const char fileName[] = "prefs.txt";

char resolutionNote[200];

// The formatted-input rules of "Resolution: %dx%d\n" and "Speed: %f", with numbers that do not
// fit counting as unreadable instead of wrapping.

void skipWhiteSpace(FILE* file) {
    int c;
    while ((c = std::getc(file)) != EOF && std::isspace(c)) {
    }
    if (c != EOF) {
        std::ungetc(c, file);
    }
}

// A mismatching character stays unread, as with a format's literal text.
bool matchWord(FILE* file, const char* word) {
    for (; *word != '\0'; ++word) {
        const int c = std::getc(file);
        if (c != static_cast<unsigned char>(*word)) {
            if (c != EOF) {
                std::ungetc(c, file);
            }
            return false;
        }
    }
    return true;
}

// A decimal integer after optional white space and sign, as %d reads it.
bool readInteger(FILE* file, int32_t* value) {
    skipWhiteSpace(file);
    // The sign and the digits, leading zeros dropped: past a dozen digits the number cannot fit
    // 32 bits, however many follow.
    char text[16] = {};
    size_t length = 0;
    bool tooLong = false;
    int c = std::getc(file);
    if (c == '-' || c == '+') {
        text[length++] = static_cast<char>(c);
        c = std::getc(file);
    }
    const size_t signLength = length;
    while (c != EOF && std::isdigit(c)) {
        if (length == signLength + 1 && text[signLength] == '0') {
            length = signLength;
        }
        if (length < sizeof text - 1) {
            text[length++] = static_cast<char>(c);
        } else {
            tooLong = true;
        }
        c = std::getc(file);
    }
    text[length] = '\0';
    if (c != EOF) {
        std::ungetc(c, file);
    }
    bool fits = false;
    return scanFormattedInteger(text, value, &fits) == length && length > 0 && fits && !tooLong;
}

// "Resolution: %dx%d\n": each value is assigned as it is read, and the reading stops at the
// first that fails. True when both were read.
bool readResolution(FILE* file) {
    if (!matchWord(file, "Resolution:")) {
        return false;
    }
    skipWhiteSpace(file);
    int32_t width = 0;
    if (!readInteger(file, &width)) {
        return false;
    }
    display.screenWidth = width;
    const int c = std::getc(file);
    if (c != 'x') {
        if (c != EOF) {
            std::ungetc(c, file);
        }
        return false;
    }
    int32_t height = 0;
    if (!readInteger(file, &height)) {
        return false;
    }
    display.screenHeight = height;
    skipWhiteSpace(file);
    return true;
}

// "Speed: %f" with a finite result. text receives what stands where the speed was expected.
bool readSpeed(FILE* file, float* speed, std::string* text) {
    if (!matchWord(file, "Speed:")) {
        int c;
        while ((c = std::getc(file)) != EOF && c != '\n' && text->size() < 61) {
            text->push_back(static_cast<char>(c));
        }
        return false;
    }
    *text = "Speed: ";
    skipWhiteSpace(file);
    // Nothing after the speed is read: its word may be taken whole.
    std::string number;
    int c;
    while ((c = std::getc(file)) != EOF && !std::isspace(c) && number.size() < 400) {
        number.push_back(static_cast<char>(c));
    }
    *text += number;
    float value = 0;
    if (scanFormattedReal(number.c_str(), &value) == 0 || !std::isfinite(value)) {
        return false;
    }
    *speed = value;
    return true;
}

// What a user can read of a line: printable characters, at most 60 of them.
std::string shown(const std::string& text) {
    std::string out;
    for (char c : text.substr(0, 60)) {
        out.push_back(std::isprint(static_cast<unsigned char>(c)) ? c : '?');
    }
    return text.size() > 60 ? out + "..." : out;
}

std::string firstLine(FILE* file) {
    std::string line;
    int c;
    while ((c = std::getc(file)) != EOF && c != '\n' && line.size() < 61) {
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

} // namespace

void loadPreferences() {
    resolutionNote[0] = '\0';
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(preferencesPath, error);
    // A folder, or a FIFO that would hold the start-up forever, is no preferences file: the
    // defaults hold and nothing is written over it.
    const bool present = std::filesystem::exists(status);
    FILE* file = present && std::filesystem::is_regular_file(status)
                     ? std::fopen(preferencesPath, "rt")
                     : nullptr;
    if (file != nullptr) {
        const std::string line = firstLine(file);
        std::rewind(file);
        // A value whose read fails is not assigned: a resolution that does not match stays as
        // it was (0 x 0 on a fresh start, which the display refuses), and the speed keeps its
        // default.
        speedPreference = 20.0f;
        const bool resolutionRead = readResolution(file);
        // The size suggested is the desktop's, which the display offers whatever it refuses.
        std::snprintf(resolutionNote, sizeof resolutionNote,
                      "quarnel: %s: \"%s\" read as %dx%d; expected \"Resolution: WIDTHxHEIGHT\" "
                      "with a size the display offers, such as %dx%d",
                      fileName, shown(line).c_str(), display.screenWidth, display.screenHeight,
                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        // After a resolution that cannot be read the speed is never reached; the end that
        // resolution comes to says enough.
        std::string speed;
        if (!readSpeed(file, &speedPreference, &speed) && resolutionRead) {
            std::fprintf(stderr,
                         "quarnel: %s: \"%s\" where \"Speed: NUMBER\" with a finite number "
                         "was expected; the speed is 20\n",
                         fileName, shown(speed).c_str());
        }
        std::fclose(file);
        return;
    }
    speedPreference = 20.0f;
    display.screenWidth = 800;
    display.screenHeight = 600;
    if (present) {
        std::fprintf(stderr, "quarnel: %s is not a regular file; using 800x600 and speed 20\n",
                     fileName);
        return;
    }
    // A file that cannot be created is simply not written; the defaults hold all the same.
    file = std::fopen(preferencesPath, "wt");
    if (file == nullptr) {
        return;
    }
    std::fprintf(file, "Resolution: %dx%d\n", 800, 600);
    std::fprintf(file, "Speed: %f\n", 20.0);
    std::fclose(file);
}

const char* preferencesResolutionNote() {
    return resolutionNote;
}

bool validPreferences(int width, int height, float speed) {
    return width >= 1 && width <= 16384 && height >= 1 && height <= 16384 && std::isfinite(speed) &&
           speed >= 0 && speed <= 1000;
}

bool savePreferences(int width, int height, float speed) {
    FILE* file = std::fopen(preferencesPath, "wt");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fprintf(file, "Resolution: %dx%d\n", width, height) > 0 &&
                         std::fprintf(file, "Speed: %f\n", static_cast<double>(speed)) > 0;
    return std::fclose(file) == 0 && written;
}

bool useApplicationDataPreferences() {
    const char* appData = std::getenv("APPDATA");
    if (appData == nullptr || appData[0] == '\0') {
        return false;
    }
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(appData) / "Quarnel";
    std::error_code failed;
    fs::create_directories(folder, failed);
    if (!fs::is_directory(folder, failed)) {
        return false;
    }
    static std::string path;
    path = (folder / "prefs.txt").string();
    preferencesPath = path.c_str();
    return true;
}
