// The flight reader on any file, its header line included. Oracle: a flight that is read has
// every step within its bounds and no more steps than lines; one that is refused says so naming
// the file. A flight that is read is then flown, its first steps, on a screen of 1x1 to 64x64
// (the header's size, folded into that range) in a depth the input picks, under the
// sanitizers' checks; with the autopilot when the flight has no steps.
#include "app/flight/flightFile.h"
#include "fuzzFlight.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "oracle failed: %s\n", what);
        std::abort();
    }
}

const std::string& filePath() {
    static const std::string path =
        "/tmp/quarnel-fuzz-flight-" + std::to_string(static_cast<long>(getpid())) + ".txt";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* out = std::fopen(filePath().c_str(), "wb");
    check(out != nullptr, "the file can be written");
    check(std::fwrite(data, 1, size, out) == size, "the file is written");
    std::fclose(out);

    FlightHeader header;
    std::vector<FlightStep> steps;
    std::string error;
    if (readFlightFile(filePath(), &header, &steps, &error)) {
        const size_t lines = static_cast<size_t>(std::count(data, data + size, '\n')) + 1;
        check(steps.size() <= lines, "no more steps than lines");
        for (const FlightStep& step : steps) {
            check(step.buttons >= 0 && step.buttons <= 3, "buttons 0 to 3");
            check(step.dx >= -maximumFlightOffset && step.dx <= maximumFlightOffset &&
                      step.dy >= -maximumFlightOffset && step.dy <= maximumFlightOffset,
                  "offsets within bounds");
        }
        const uint64_t first = size > 0 ? data[0] : 0;
        const uint64_t last = size > 0 ? data[size - 1] : 0;
        const FuzzFlight flight{header.present ? fuzzSide(static_cast<uint32_t>(header.width) - 1)
                                               : fuzzSide(first),
                                header.present ? fuzzSide(static_cast<uint32_t>(header.height) - 1)
                                               : fuzzSide(first >> 6 | last << 2),
                                fuzzDepth(last),
                                header.present ? header.ticks : 20021122,
                                header.present ? header.speed : 20.0f,
                                &steps,
                                steps.empty(),
                                static_cast<int>(std::min<size_t>(steps.size(), 4)) + 1};
        flyDemonstration(flight);
    } else {
        check(error.compare(0, filePath().size(), filePath()) == 0, "the error names the file");
    }
    return 0;
}
