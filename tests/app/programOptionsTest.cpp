#include "app/programOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, WindowsQuotingRules) {
    EXPECT_EQ(splitCommandLine(""), Words{});
    EXPECT_EQ(splitCommandLine("  \t "), Words{});
    EXPECT_EQ(splitCommandLine(" a  b\tc "), (Words{"a", "b", "c"}));
    EXPECT_EQ(splitCommandLine("\"a b\" c"), (Words{"a b", "c"}));
    EXPECT_EQ(splitCommandLine("x\"y z\"w"), (Words{"xy zw"}));
    EXPECT_EQ(splitCommandLine("\"\""), (Words{""}));
    EXPECT_EQ(splitCommandLine("a\\\\b"), (Words{"a\\\\b"}));
    EXPECT_EQ(splitCommandLine("a\\\"b"), (Words{"a\"b"}));
    EXPECT_EQ(splitCommandLine("\"a\\\\\" b"), (Words{"a\\", "b"}));
    EXPECT_EQ(splitCommandLine("\"never closed"), (Words{"never closed"}));
    EXPECT_EQ(splitCommandLine("trailing\\"), (Words{"trailing\\"}));
}

TEST(ParseProgramOptions, UnknownWordsAreIgnoredWithOneLineEach) {
    programOptions.showVersion = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"-s", "whatever"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quarnel: ignoring argument \"-s\"\nquarnel: ignoring argument \"whatever\"\n");
    EXPECT_FALSE(programOptions.showVersion);
}

TEST(ParseProgramOptions, Version) {
    EXPECT_EQ(parseProgramOptions({"--version"}), 0);
    EXPECT_TRUE(programOptions.showVersion);
}

TEST(ParseProgramOptions, WindowChoicesForTheHost) {
    EXPECT_EQ(parseProgramOptions({}), 0);
    EXPECT_FALSE(programOptions.window.windowed);
    EXPECT_EQ(programOptions.window.display, -1);
    EXPECT_EQ(programOptions.window.framesPerSecond, 0);
    EXPECT_EQ(programOptions.window.scaling, HostScaling::unset);
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions(
                  {"--windowed", "--display", "2", "--fps", "1000", "--scale", "integer"}),
              0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ""); // every word is ours
    EXPECT_TRUE(programOptions.window.windowed);
    EXPECT_EQ(programOptions.window.display, 2);
    EXPECT_EQ(programOptions.window.framesPerSecond, 1000);
    EXPECT_EQ(programOptions.window.scaling, HostScaling::integer);
    EXPECT_EQ(parseProgramOptions({"--scale", "fit", "--display", "0", "--fps", "1"}), 0);
    EXPECT_EQ(programOptions.window.scaling, HostScaling::fit);
    EXPECT_EQ(programOptions.window.display, 0);
    EXPECT_EQ(programOptions.window.framesPerSecond, 1);
}

TEST(ParseProgramOptions, BadWindowChoicesEndWithStatusTwo) {
    const Words bad[] = {{"--fps", "0"},
                         {"--fps", "1001"},
                         {"--fps", "-5"},
                         {"--fps", "60x"},
                         {"--fps", ""},
                         {"--fps", " 60"},
                         {"--fps", "99999999999999999999"},
                         {"--display", "-1"},
                         {"--display", "256"},
                         {"--display", "one"},
                         {"--scale", "banana"},
                         {"--scale", "Fit"},
                         {"--fps"},
                         {"--display"}};
    for (const Words& words : bad) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseProgramOptions(words), 2) << words[0];
        std::string message = testing::internal::GetCapturedStderr();
        EXPECT_NE(message.find("quarnel: " + words[0]), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), message.size() - 1) << message; // one line
    }
}

TEST(ParseProgramOptions, RecordAndAutopilot) {
    EXPECT_EQ(parseProgramOptions({"--autopilot", "--record", "my flight.txt"}), 0);
    EXPECT_TRUE(programOptions.autopilot);
    EXPECT_EQ(programOptions.recordPath, "my flight.txt");
    EXPECT_EQ(parseProgramOptions({}), 0);
    EXPECT_FALSE(programOptions.autopilot);
    EXPECT_EQ(programOptions.recordPath, "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"--record"}), 2);
    EXPECT_EQ(parseProgramOptions({"--record", ""}), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quarnel: --record needs a value\nquarnel: --record needs a file name\n");
}

TEST(ParseProgramOptions, Threads) {
    EXPECT_EQ(parseProgramOptions({}), 0);
    EXPECT_EQ(programOptions.threads, 0);
    EXPECT_EQ(parseProgramOptions({"--threads", "1"}), 0);
    EXPECT_EQ(programOptions.threads, 1);
    EXPECT_EQ(parseProgramOptions({"x", "--threads", "256"}), 0);
    EXPECT_EQ(programOptions.threads, 256);
    for (const char* bad : {"0", "257", "-2", "2x", ""}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseProgramOptions({"--threads", bad}), 2) << bad;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  std::string("quarnel: --threads takes a whole number from 1 to 256, not \"") +
                      bad + "\"\n");
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"--threads"}), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "quarnel: --threads needs a value\n");
}

} // namespace
