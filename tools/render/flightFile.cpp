#include "flightFile.h"

#include <fstream>
#include <sstream>

bool readFlightFile(const std::string& path, std::vector<FlightStep>* steps, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        *error = path + ": cannot be opened";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
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
        steps->push_back(step);
    }
    return true;
}
