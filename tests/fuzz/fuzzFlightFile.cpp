// The flight reader on any file, its header line included. Oracle: a flight that is read has
// every step within its bounds and no more steps than lines; one that is refused says so naming
// the file.
#include "app/flight/flightFile.h"

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
    } else {
        check(error.compare(0, filePath().size(), filePath()) == 0, "the error names the file");
    }
    return 0;
}
