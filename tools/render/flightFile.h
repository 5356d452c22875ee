// Flight files: one line per frame, "dx dy buttons", the mouse's offset from the screen centre
// and its buttons (1 left, 2 right) at the end of that frame. Blank lines and # comments are
// ignored.
#pragma once

#include <string>
#include <vector>

// Far beyond any screen, and far from overflowing a position.
const int maximumFlightOffset = 1000000;

struct FlightStep {
    int dx;
    int dy;
    int buttons;
};

// Fills steps, or returns false with a message naming the file and line.
bool readFlightFile(const std::string& path, std::vector<FlightStep>* steps, std::string* error);
