// quarnel --record: the live flight kept in a flight file as it is flown, with the header a
// replay needs. The file is flushed every second and closed on every way out that runs the
// process's exit handlers (the loop's end, a closed window, a fatal error), so a crash loses at
// most a second of the flight.
#pragma once

#include "app/flight/flightFile.h"

#include <string>

// Creates the file; false with a message when it cannot be created.
bool startFlightRecording(const std::string& path, std::string* error);
bool flightRecordingActive();
// Writes the header before the first step.
void recordFlightStep(const FlightHeader& header, const FlightStep& step);
// Flushes and closes the file; later steps are not kept. Safe to call more than once.
void finishFlightRecording();
