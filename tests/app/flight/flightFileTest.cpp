#include "app/flight/flightFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

TEST(FlightFile, ReadsStepsSkippingBlanksAndComments) {
    const char* path = "/tmp/quarnel-flight-test.txt";
    std::ofstream(path) << "# header\n\n0 0 0\n  3 -2 1  # steer\n-4 5 2\n\t\n";
    FlightHeader header;
    std::vector<FlightStep> steps;
    std::string error;
    ASSERT_TRUE(readFlightFile(path, &header, &steps, &error)) << error;
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[1].dx, 3);
    EXPECT_EQ(steps[1].dy, -2);
    EXPECT_EQ(steps[1].buttons, 1);
    EXPECT_EQ(steps[2].buttons, 2);
    std::remove(path);
}

TEST(FlightFile, NamesTheBadLine) {
    const char* path = "/tmp/quarnel-flight-bad.txt";
    std::ofstream(path) << "0 0 0\n1 2\n";
    FlightHeader header;
    std::vector<FlightStep> steps;
    std::string error;
    EXPECT_FALSE(readFlightFile(path, &header, &steps, &error));
    EXPECT_NE(error.find(":2:"), std::string::npos) << error;
    std::ofstream(path) << "1 2 7\n";
    EXPECT_FALSE(readFlightFile(path, &header, &steps, &error));
    std::ofstream(path) << "1 2 1 extra\n";
    EXPECT_FALSE(readFlightFile(path, &header, &steps, &error));
    std::ofstream(path) << "2147483647 0 0\n";
    EXPECT_FALSE(readFlightFile(path, &header, &steps, &error));
    std::ofstream(path) << "0 -1000001 0\n";
    EXPECT_FALSE(readFlightFile(path, &header, &steps, &error));
    std::ofstream(path) << "1000000 -1000000 0\n";
    EXPECT_TRUE(readFlightFile(path, &header, &steps, &error)) << error;
    EXPECT_FALSE(readFlightFile("/nonexistent/flight", &header, &steps, &error));
    // Numbers as every option reads them: no '+', nothing stuck to them.
    for (const char* line : {"+1 0 0\n", "1 0 +0\n", "1x 0 0\n", "1 0 0x\n", "0.5 0 0\n"}) {
        std::ofstream(path) << line;
        EXPECT_FALSE(readFlightFile(path, &header, &steps, &error)) << line;
    }
    std::remove(path);
}

TEST(FlightFile, ReadErrorsAndEndlessLinesAreFailuresNamingTheFile) {
    FlightHeader header;
    std::vector<FlightStep> steps;
    std::string error;
    EXPECT_FALSE(readFlightFile("/tmp", &header, &steps, &error));
    EXPECT_EQ(error.rfind("/tmp:", 0), 0u) << error;
    EXPECT_TRUE(steps.empty());
    EXPECT_FALSE(readFlightFile("/dev/zero", &header, &steps, &error));
    EXPECT_EQ(error.rfind("/dev/zero:1:", 0), 0u) << error;
    EXPECT_TRUE(steps.empty());

    const char* path = "/tmp/quarnel-flight-long.txt";
    std::ofstream(path) << "0 0 0\n" << std::string(maximumFlightLine - 5, ' ') << "1 2 0\n";
    EXPECT_TRUE(readFlightFile(path, &header, &steps, &error)) << error;
    EXPECT_EQ(steps.size(), 2u);
    std::ofstream(path) << "0 0 0\n" << std::string(maximumFlightLine - 4, ' ') << "1 2 0\n";
    EXPECT_FALSE(readFlightFile(path, &header, &steps, &error));
    EXPECT_NE(error.find(":2: longer than"), std::string::npos) << error;
    std::remove(path);
}

std::string flightPath() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "quarnel_flight_" + test->name() + ".txt";
}

// What a recording writes, a replay reads back exactly.
TEST(FlightFile, HeaderAndStepsRoundTrip) {
    const std::string path = flightPath();
    const FlightHeader written{true, 3840, 2160, 4294967295u, 0.1f};
    std::ofstream(path) << flightHeaderLine(written) << flightStepLine({-3, 1000000, 2})
                        << flightStepLine({0, 0, 0});
    FlightHeader header;
    std::vector<FlightStep> steps;
    std::string error;
    ASSERT_TRUE(readFlightFile(path, &header, &steps, &error)) << error;
    EXPECT_TRUE(header.present);
    EXPECT_EQ(header.width, 3840);
    EXPECT_EQ(header.height, 2160);
    EXPECT_EQ(header.ticks, 4294967295u);
    EXPECT_EQ(header.speed, 0.1f);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].dx, -3);
    EXPECT_EQ(steps[0].dy, 1000000);
    EXPECT_EQ(steps[0].buttons, 2);
    EXPECT_EQ(flightHeaderLine({true, 800, 600, 1234567, 20.0f}),
              "# quarnel flight: size 800x600 ticks 1234567 speed 20\n");
    std::remove(path.c_str());
}

TEST(FlightFile, BadHeadersNameTheLine) {
    const std::string path = flightPath();
    const char* const bad[] = {
        "# quarnel flight: size 0x0 ticks 1 speed 20",
        "# quarnel flight: size 800x600 ticks abc speed 20",
        "# quarnel flight: size 800x600 ticks 1 speed nan",
        "# quarnel flight: size 800x600 ticks 1 speed inf",
        "# quarnel flight: size 800x600 ticks -1 speed 20",
        "# quarnel flight: size 800x600 ticks 4294967296 speed 20",
        "# quarnel flight: size 800x600 speed 20",
        "# quarnel flight: size 800x600 ticks 1 speed 20 colour red",
        "# quarnel flight: size 800x ticks 1 speed 20",
        "# quarnel flight:",
    };
    for (const char* line : bad) {
        std::ofstream(path) << "# a comment\n" << line << "\n0 0 0\n";
        FlightHeader header;
        std::vector<FlightStep> steps;
        std::string error;
        EXPECT_FALSE(readFlightFile(path, &header, &steps, &error)) << line;
        EXPECT_NE(error.find(path + ":2: bad header"), std::string::npos) << error;
        EXPECT_TRUE(steps.empty());
    }
    // Only before the first frame, and only once.
    std::ofstream(path) << "0 0 0\n# quarnel flight: size 8x6 ticks 1 speed 2\n";
    FlightHeader header;
    std::vector<FlightStep> steps;
    std::string error;
    EXPECT_FALSE(readFlightFile(path, &header, &steps, &error));
    EXPECT_NE(error.find(":2:"), std::string::npos) << error;
    EXPECT_TRUE(steps.empty());
    // Without a header the file still reads; the caller decides what it needs.
    std::ofstream(path) << "# quarnel flight? no\n1 1 1\n";
    EXPECT_TRUE(readFlightFile(path, &header, &steps, &error)) << error;
    EXPECT_FALSE(header.present);
    std::remove(path.c_str());
}

// A source that never ends a line, or cannot be read at all, is an error, not a short flight.
TEST(FlightFile, OverLongLinesAndUnreadableFilesAreErrors) {
    const std::string path = flightPath();
    std::ofstream(path) << "0 0 0\n" << std::string(5000, ' ') << "1 1 1\n";
    FlightHeader header;
    std::vector<FlightStep> steps;
    std::string error;
    EXPECT_FALSE(readFlightFile(path, &header, &steps, &error));
    EXPECT_NE(error.find(path + ":2: longer than"), std::string::npos) << error;
    EXPECT_TRUE(steps.empty());
    std::ofstream(path) << std::string(1000, ' ') << "\n1 1 1";
    EXPECT_TRUE(readFlightFile(path, &header, &steps, &error)) << error;
    EXPECT_EQ(steps.size(), 1u);
    std::remove(path.c_str());
    EXPECT_FALSE(readFlightFile(::testing::TempDir(), &header, &steps, &error));
    EXPECT_NE(error.find(::testing::TempDir()), std::string::npos) << error;
    EXPECT_FALSE(readFlightFile("/dev/zero", &header, &steps, &error));
    EXPECT_NE(error.find("/dev/zero:1: longer than"), std::string::npos) << error;
}

} // namespace
