#include "flightFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

struct FileCloser {
    FILE* file;
    ~FileCloser() { std::fclose(file); }
};

// One line without its end into line; false at the end of the file, on a read error or on a
// line too long, which readError and tooLong then tell apart.
bool readLine(FILE* file, std::string* line, bool* readError, bool* tooLong) {
    line->clear();
    int c;
    while ((c = std::getc(file)) != EOF) {
        if (c == '\n') {
            return true;
        }
        if (line->size() == maximumFlightLine) {
            *tooLong = true;
            return false;
        }
        line->push_back(static_cast<char>(c));
    }
    *readError = std::ferror(file) != 0;
    return !*readError && !line->empty();
}

} // namespace

bool readFlightFile(const std::string& path, std::vector<FlightStep>* steps, std::string* error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *error = path + ": cannot be opened";
        return false;
    }
    FileCloser closer{file};
    std::string line;
    int number = 0;
    bool readError = false;
    bool tooLong = false;
    while (readLine(file, &line, &readError, &tooLong)) {
        ++number;
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
            *error = path + ":" + std::to_string(number) + ": expected \"dx dy buttons\"";
            return false;
        }
        std::string rest;
        if (!(fields >> step.dy >> step.buttons) || (fields >> rest) || step.buttons < 0 ||
            step.buttons > 3 || step.dx < -maximumFlightOffset || step.dx > maximumFlightOffset ||
            step.dy < -maximumFlightOffset || step.dy > maximumFlightOffset) {
            *error = path + ":" + std::to_string(number) +
                     ": expected \"dx dy buttons\" with offsets up to 1000000 and buttons 0 to 3";
            return false;
        }
        if (steps->size() == maximumFlightSteps) {
            *error = path + ":" + std::to_string(number) + ": more than " +
                     std::to_string(maximumFlightSteps) + " steps";
            return false;
        }
        steps->push_back(step);
    }
    if (readError) {
        *error = path + ": cannot be read (" + std::strerror(errno) + ")";
        return false;
    }
    if (tooLong) {
        *error = path + ":" + std::to_string(number + 1) + ": longer than " +
                 std::to_string(maximumFlightLine) + " characters";
        return false;
    }
    return true;
}
