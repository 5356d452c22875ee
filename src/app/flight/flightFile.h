// Flight files: one line per frame, "dx dy buttons", the mouse's offset from the screen centre
// and its buttons (1 left, 2 right) as the frame loop sees them after that frame's pump. Blank
// lines and # comments are ignored, except the header comment that a recording starts with:
//     # quarnel flight: size 800x600 ticks 1234567 speed 20
// the screen size, the tick count the scene was seeded with and the drift speed.
#pragma once

#include <cstddef>
#include <cstdint>
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

struct FlightHeader {
    bool present; // false when the file has no header line
    int width;
    int height;
    uint32_t ticks;
    float speed;
};

// Fills header and steps, or returns false with a message naming the file and, where there is
// one, the line: a read error and an over-long line are failures, not the end of the flight.
bool readFlightFile(const std::string& path, FlightHeader* header, std::vector<FlightStep>* steps,
                    std::string* error);

// Reads the text after "# quarnel flight:"; false with the reason when a value is missing or bad.
bool parseFlightHeader(const std::string& text, FlightHeader* header, std::string* why);

// The header line and a step line, each ending in a newline.
std::string flightHeaderLine(const FlightHeader& header);
std::string flightStepLine(const FlightStep& step);
