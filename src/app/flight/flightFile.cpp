#include "app/flight/flightFile.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

const char headerMark[] = "# quarnel flight:";

// Whole numbers only, inside [low, high].
bool parseWhole(const std::string& text, long long low, long long high, long long* value) {
    if (text.empty() || text[0] == '+' || std::isspace(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) {
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
            char* end = nullptr;
            const float speed = std::strtof(value.c_str(), &end);
            if (*end != '\0' || !std::isfinite(speed) || !(std::fabs(speed) < 1e30f)) {
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
        FlightStep step;
        if (!(fields >> step.dx)) {
            if (line.find_first_not_of(" \t\r") == std::string::npos) {
                continue;
            }
            *error = where + "expected \"dx dy buttons\"";
            ok = false;
            continue;
        }
        std::string rest;
        if (!(fields >> step.dy >> step.buttons) || (fields >> rest) || step.buttons < 0 ||
            step.buttons > 3 || step.dx < -maximumFlightOffset || step.dx > maximumFlightOffset ||
            step.dy < -maximumFlightOffset || step.dy > maximumFlightOffset) {
            *error = where + "expected \"dx dy buttons\" with offsets up to 1000000 and buttons 0 "
                             "to 3";
            ok = false;
            continue;
        }
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
