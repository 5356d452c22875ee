// Flight files: one line per frame, "dx dy buttons", the mouse's offset from the screen centre
// and its buttons (1 left, 2 right) at the end of that frame. Blank lines and # comments are
// ignored.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Far beyond any screen, and far from overflowing a position.
const int maximumFlightOffset = 1000000;

// Longer lines are no flight's: a source that never ends a line must not fill the memory.
const size_t maximumFlightLine = 1000;

// As many as --frames may ask for: a source that never ends must not fill the memory either.
const size_t maximumFlightSteps = 1000000;

struct FlightStep {
    int dx;
    int dy;
    int buttons;
};

// Fills steps, or returns false with a message naming the file (and the line): a read error
// and an over-long line are failures, not the end of the flight.
bool readFlightFile(const std::string& path, std::vector<FlightStep>* steps, std::string* error);
