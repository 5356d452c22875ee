// The autopilot: a flight that flies itself, the same for the same tick count and screen size.
// It is part of the flight, not of the clock: step k depends only on the ticks, k and the size.
#pragma once

#include "app/flight/flightFile.h"

#include <cstdint>

// Frames for one turn of the figure of eight.
const uint32_t autopilotPeriod = 1500;

// The input after the pump of frame k (k >= 1), which steers frame k + 1. Forward, the left
// button is held for n frames and let go for one, so the speed swings between 16n and 20n world
// units a frame and never stops (n grows with the screen height, so cells pass at about the same
// pace at any size). Sideways and up and down, the camera follows the screen's figure of eight
// (figureEightX/Y), half as large again, one turn every autopilotPeriod frames, starting where
// the ticks put it; offsets are whole pixels whose sum never strays from the path.
// Reads the screen size from the display record.
FlightStep autopilotStep(uint32_t ticks, uint32_t frame);
