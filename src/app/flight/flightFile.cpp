#include "app/flight/flightFile.h"

#include "util/numberText.h"

#include <cerrno>
#include <cfloat>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

const char headerMark[] = "# quarnel flight:";

// Whole numbers only, inside [low, high].
bool parseWhole(const std::string& text, long long low, long long high, long long* value) {
    int64_t parsed = 0;
    if (!readWholeNumber(text.c_str(), low, high, &parsed)) {
        return false;
    }
    *value = parsed;
    return true;
}

// One line into text without its newline; false at the end of the file. A line longer than
// the limit stops the reading with *tooLong set.
bool readLine(FILE* file, std::string* text, bool* tooLong) {
    text->clear();
    int c = 0;
    while ((c = std::getc(file)) != EOF && c != '\n') {
        if (text->size() >= maximumFlightLine) {
            *tooLong = true;
            return false;
        }
        text->push_back(static_cast<char>(c));
    }
    return c == '\n' || !text->empty();
}

bool isHeader(const std::string& line) {
    const size_t start = line.find_first_not_of(" \t");
    return start != std::string::npos &&
           line.compare(start, sizeof headerMark - 1, headerMark) == 0;
}

} // namespace

bool parseFlightHeader(const std::string& text, FlightHeader* header, std::string* why) {
    std::istringstream words(text);
    std::string key;
    std::string value;
    bool haveSize = false;
    bool haveTicks = false;
    bool haveSpeed = false;
    FlightHeader read = *header;
    while (words >> key) {
        if (!(words >> value)) {
            *why = key + " has no value";
            return false;
        }
        long long number = 0;
        if (key == "size") {
            const size_t x = value.find('x');
            long long w = 0;
            long long h = 0;
            if (x == std::string::npos || !parseWhole(value.substr(0, x), 1, 16384, &w) ||
                !parseWhole(value.substr(x + 1), 1, 16384, &h)) {
                *why = "size wants WxH, each 1 to 16384, not " + value;
                return false;
            }
            read.width = static_cast<int>(w);
            read.height = static_cast<int>(h);
            haveSize = true;
        } else if (key == "ticks") {
            if (!parseWhole(value, 0, 0xFFFFFFFFll, &number)) {
                *why = "ticks wants a whole number from 0 to 4294967295, not " + value;
                return false;
            }
            read.ticks = static_cast<uint32_t>(number);
            haveTicks = true;
        } else if (key == "speed") {
            // Any finite speed: a recording's comes from the preferences, which take any.
            float speed = 0;
            if (!readReal(value.c_str(), -FLT_MAX, FLT_MAX, &speed)) {
                *why = "speed wants a finite number, not " + value;
                return false;
            }
            read.speed = speed;
            haveSpeed = true;
        } else {
            *why = "unknown field " + key;
            return false;
        }
    }
    if (!haveSize || !haveTicks || !haveSpeed) {
        *why = "expected \"size WxH ticks T speed S\"";
        return false;
    }
    read.present = true;
    *header = read;
    return true;
}

bool readFlightFile(const std::string& path, FlightHeader* header, std::vector<FlightStep>* steps,
                    std::string* error) {
    *header = FlightHeader{false, 0, 0, 0, 20.0f};
    steps->clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *error = path + ": cannot be opened";
        return false;
    }
    std::string line;
    int number = 0;
    bool tooLong = false;
    bool ok = true;
    while (ok && readLine(file, &line, &tooLong)) {
        ++number;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (isHeader(line)) {
            std::string why;
            const size_t start = line.find(headerMark) + sizeof headerMark - 1;
            if (header->present || !steps->empty()) {
                *error = where + "the header must come once, before the first frame";
                ok = false;
            } else if (!parseFlightHeader(line.substr(start), header, &why)) {
                *error = where + "bad header: " + why;
                ok = false;
            }
            continue;
        }
        const size_t comment = line.find('#');
        if (comment != std::string::npos) {
            line.erase(comment);
        }
        std::istringstream fields(line);
        std::string words[4];
        int count = 0;
        while (count < 4 && fields >> words[count]) {
            ++count;
        }
        if (count == 0) {
            continue;
        }
        long long dx = 0;
        long long dy = 0;
        long long buttons = 0;
        if (count != 3 || !parseWhole(words[0], -maximumFlightOffset, maximumFlightOffset, &dx) ||
            !parseWhole(words[1], -maximumFlightOffset, maximumFlightOffset, &dy) ||
            !parseWhole(words[2], 0, 3, &buttons)) {
            *error = where + "expected \"dx dy buttons\" with offsets up to 1000000 and buttons 0 "
                             "to 3";
            ok = false;
            continue;
        }
        const FlightStep step{static_cast<int>(dx), static_cast<int>(dy),
                              static_cast<int>(buttons)};
        if (steps->size() == maximumFlightSteps) {
            *error = where + "more than " + std::to_string(maximumFlightSteps) + " steps";
            ok = false;
            continue;
        }
        steps->push_back(step);
    }
    if (ok && std::ferror(file)) {
        *error = path + ": cannot be read (" + std::strerror(errno) + ")";
        ok = false;
    }
    if (ok && tooLong) {
        *error = path + ":" + std::to_string(number + 1) + ": longer than " +
                 std::to_string(maximumFlightLine) + " characters";
        ok = false;
    }
    std::fclose(file);
    if (!ok) {
        steps->clear();
    }
    return ok;
}

std::string flightHeaderLine(const FlightHeader& header) {
    char line[160];
    // %.9g gives back the same float when read.
    std::snprintf(line, sizeof line, "%s size %dx%d ticks %lu speed %.9g\n", headerMark,
                  header.width, header.height, static_cast<unsigned long>(header.ticks),
                  static_cast<double>(header.speed));
    return line;
}

std::string flightStepLine(const FlightStep& step) {
    return std::to_string(step.dx) + " " + std::to_string(step.dy) + " " +
           std::to_string(step.buttons) + "\n";
}
