#include "app/programOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ParseProgramOptions, PlainWordsAreIgnoredWithOneLineEach) {
    programOptions.showVersion = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"whatever", "", "\\s"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quarnel: ignoring argument \"whatever\"\nquarnel: ignoring argument \"\"\n"
              "quarnel: ignoring argument \"\\s\"\n");
    EXPECT_FALSE(programOptions.showVersion);
}

// One line, status 2, and the option meant when the slip is small.
void expectRefused(const Words& words, const std::string& line) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions(words), 2) << words[0];
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line + "\n");
}

TEST(ParseProgramOptions, UnknownOptionWordsAreRefusedNamingTheNearest) {
    expectRefused({"--window"}, "quarnel: unknown option \"--window\" (did you mean --windowed?); "
                                "quarnel --help lists them");
    expectRefused({"--sise", "800x600"}, "quarnel: unknown option \"--sise\" (did you mean "
                                         "--size?); quarnel --help lists them");
    expectRefused({"-windowed"}, "quarnel: unknown option \"-windowed\" (did you mean "
                                 "--windowed?); quarnel --help lists them");
    expectRefused({"--rot"},
                  "quarnel: unknown option \"--rot\" (did you mean --root?); quarnel --help lists "
                  "them");
    // Too short to be a slip of anything.
    expectRefused({"/x"}, "quarnel: unknown option \"/x\"; quarnel --help lists them");
    expectRefused({"-s"}, "quarnel: unknown option \"-s\"; quarnel --help lists them");
    expectRefused({"-"}, "quarnel: unknown option \"-\"; quarnel --help lists them");
    expectRefused({"--frobnicate"},
                  "quarnel: unknown option \"--frobnicate\"; quarnel --help lists them");
    // Refused wherever it stands, before anything of the others is acted on.
    expectRefused({"--windowed", "--fsp", "60"}, "quarnel: unknown option \"--fsp\" (did you mean "
                                                 "--fps?); quarnel --help lists them");
}

TEST(ParseProgramOptions, OptionsOfAnotherWayToRunAreRefused) {
    expectRefused({"/s", "--size", "800x600"},
                  "quarnel: --size is not an option of the Windows screensaver (/s)");
    expectRefused({"--windowed", "/s"},
                  "quarnel: --windowed is not an option of the Windows screensaver (/s)");
    expectRefused({"-root", "--record", "f.txt"},
                  "quarnel: --record is not an option of the XScreenSaver hack (-root)");
    expectRefused({"-root", "/s"}, "quarnel: -root and /s are two ways to run; give one");
    expectRefused({"/p", "5", "-window"}, "quarnel: /p and -window are two ways to run; give one");
    // The hack takes its own size and speed; the demonstration takes them for one run.
    EXPECT_EQ(parseProgramOptions({"--size", "640x480", "--speed", "-2", "--windowed"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::none);
    EXPECT_EQ(programOptions.saverWidth, 640);
    EXPECT_EQ(programOptions.saverSpeed, -2.0f);
    EXPECT_EQ(parseProgramOptions({"-window", "-size", "320x240", "--root"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::x11Root);
    EXPECT_EQ(parseProgramOptions({"/s", "--help"}), 0);
    EXPECT_TRUE(programOptions.showHelp);
}

TEST(ProgramHelp, ListsEveryOptionWithItsValues) {
    EXPECT_EQ(parseProgramOptions({"--help"}), 0);
    EXPECT_TRUE(programOptions.showHelp);
    const std::string help = programHelp;
    for (const char* option : {"--size WxH",    "--speed S",   "--windowed",
                               "--display N",   "--fps N",     "--scale fit|integer",
                               "--record FILE", "--autopilot", "--threads N",
                               "-root",         "--root",      "-window-id ID",
                               "-window ",      "/s",          "/p HWND",
                               "/c [HWND]",     "/a HWND",     "--help",
                               "--version",     "--stats",     "-delay N",
                               "-fps ",         "-install",    "-noinstall",
                               "-visual V"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(help.find('\t'), std::string::npos);
    for (size_t start = 0, end = 0; (end = help.find('\n', start)) != std::string::npos;
         start = end + 1) {
        EXPECT_LE(end - start, 92u) << help.substr(start, end - start); // fits a terminal
    }
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

TEST(ParseProgramOptions, WindowsSaverWordsInEveryFormAndCase) {
    EXPECT_EQ(parseProgramOptions({"/s"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::windowsFullScreen);
    EXPECT_EQ(parseProgramOptions({"/S"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::windowsFullScreen);

    EXPECT_EQ(parseProgramOptions({"/p", "1234"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::windowsPreview);
    EXPECT_EQ(programOptions.saverWindow, 1234u);
    EXPECT_EQ(parseProgramOptions({"/P:4294967295"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::windowsPreview);
    EXPECT_EQ(programOptions.saverWindow, 4294967295u);

    EXPECT_EQ(parseProgramOptions({"/c"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::windowsSettings);
    EXPECT_EQ(programOptions.saverWindow, 0u);
    EXPECT_EQ(parseProgramOptions({"/C:77"}), 0);
    EXPECT_EQ(programOptions.saverWindow, 77u);
    EXPECT_EQ(parseProgramOptions({"/c", "78"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::windowsSettings);
    EXPECT_EQ(programOptions.saverWindow, 78u);

    // /c's handle is optional: a word that is no number is the next option.
    EXPECT_EQ(parseProgramOptions({"/c", "--version"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::windowsSettings);
    EXPECT_TRUE(programOptions.showVersion);

    EXPECT_EQ(parseProgramOptions({"/a", "99"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::windowsPassword);
    EXPECT_EQ(programOptions.saverWindow, 99u);
}

TEST(ParseProgramOptions, BadWindowsHandlesEndWithStatusOneAndSayWhy) {
    const char* const bad[][2] = {
        {"/p", "abc"},
        {"/p", "0"},
        {"/p", "-5"},
        {"/p", "12x"},
        {"/p", "99999999999999999999999"},
        {"/p:", ""},
        {"/c", "12ab"},
        {"/p:0x10", ""},
    };
    for (const auto& words : bad) {
        Words given = {words[0]};
        if (words[1][0] != '\0') {
            given.push_back(words[1]);
        }
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseProgramOptions(given), 1) << words[0] << " " << words[1];
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("window handle"), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"/p"}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "quarnel: /p needs a value\n");
}

TEST(ParseProgramOptions, OnlyTheSlashFormsAreWindowsWords) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"/sx"}), 2);
    EXPECT_EQ(parseProgramOptions({"/p1234"}), 2);
    EXPECT_EQ(parseProgramOptions({"\\s"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quarnel: unknown option \"/sx\" (did you mean /s?); quarnel --help lists them\n"
              "quarnel: unknown option \"/p1234\"; quarnel --help lists them\n"
              "quarnel: ignoring argument \"\\s\"\n");
    EXPECT_EQ(programOptions.saverMode, SaverMode::none);
}

TEST(ParseProgramOptions, XScreenSaverOptions) {
    EXPECT_EQ(parseProgramOptions({"-root", "-speed", "7.5", "-size", "640x480"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::x11Root);
    EXPECT_TRUE(programOptions.saverSpeedGiven);
    EXPECT_EQ(programOptions.saverSpeed, 7.5f);
    EXPECT_EQ(programOptions.saverWidth, 640);
    EXPECT_EQ(programOptions.saverHeight, 480);

    EXPECT_EQ(parseProgramOptions({"-window-id", "0x1e00007"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::x11WindowId);
    EXPECT_EQ(programOptions.saverWindow, 0x1e00007u);
    EXPECT_FALSE(programOptions.saverSpeedGiven);
    EXPECT_EQ(programOptions.saverWidth, 0);
    EXPECT_EQ(parseProgramOptions({"-window-id", "31457287"}), 0);
    EXPECT_EQ(programOptions.saverWindow, 31457287u);
    EXPECT_EQ(parseProgramOptions({"-window-id", "0XFFFFFFFF"}), 0);
    EXPECT_EQ(programOptions.saverWindow, 0xFFFFFFFFu);

    EXPECT_EQ(parseProgramOptions({"-window"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::x11OwnWindow);

    // Newer hacks are given the same words with two dashes.
    EXPECT_EQ(parseProgramOptions({"--window-id", "12", "--speed", "3", "--size", "8x6"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::x11WindowId);
    EXPECT_EQ(programOptions.saverWindow, 12u);
    EXPECT_EQ(programOptions.saverSpeed, 3.0f);
    EXPECT_EQ(programOptions.saverWidth, 8);
    EXPECT_EQ(parseProgramOptions({"--root"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::x11Root);
}

TEST(ParseProgramOptions, BadXScreenSaverValues) {
    for (const char* id : {"0", "0x", "0x0", "x12", "0x100000000", "4294967296", "12g", "-1", ""}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseProgramOptions({"-window-id", id}), 1) << id;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("X window id"), std::string::npos)
            << id;
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"-window-id"}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "quarnel: -window-id needs a value\n");

    for (const char* speed : {"", "fast", "nan", "inf", "1e39", "5x", "+5", " 5"}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseProgramOptions({"-speed", speed}), 2) << speed;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("-speed needs"), std::string::npos);
    }
    // Any finite speed, as the preferences file takes it.
    EXPECT_EQ(parseProgramOptions({"-root", "-speed", "-1"}), 0);
    EXPECT_EQ(programOptions.saverSpeed, -1.0f);
    EXPECT_EQ(parseProgramOptions({"-root", "-speed", "1e9"}), 0);
    EXPECT_EQ(programOptions.saverSpeed, 1e9f);
    for (const char* size : {"800", "0x600", "800x0", "16385x10", "800x600x", "-8x6", "800 x600",
                             "x600", "99999999999x1"}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseProgramOptions({"-size", size}), 2) << size;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("-size needs"), std::string::npos);
    }
    EXPECT_EQ(parseProgramOptions({"-root", "-size", "16384x1"}), 0);
    EXPECT_EQ(programOptions.saverWidth, 16384);
}

TEST(ParseProgramOptions, XScreenSaverPacing) {
    EXPECT_EQ(parseProgramOptions({"-root"}), 0);
    EXPECT_EQ(programOptions.saverDelay, 0u); // no wait added unless asked
    EXPECT_FALSE(programOptions.saverFrameRate);
    EXPECT_FALSE(programOptions.frameStatistics);

    EXPECT_EQ(parseProgramOptions({"-root", "-delay", "100000", "-fps", "--stats"}), 0);
    EXPECT_EQ(programOptions.saverDelay, 100000u);
    EXPECT_TRUE(programOptions.saverFrameRate);
    EXPECT_TRUE(programOptions.frameStatistics);
    EXPECT_EQ(parseProgramOptions({"-window-id", "7", "--delay", "0"}), 0);
    EXPECT_EQ(programOptions.saverDelay, 0u);
    EXPECT_EQ(parseProgramOptions({"-delay", "10000000", "-window"}), 0);
    EXPECT_EQ(programOptions.saverDelay, 10000000u);
    EXPECT_EQ(programOptions.saverMode, SaverMode::x11OwnWindow);

    // What a daemon's command line may carry besides: taken, and nothing changes.
    EXPECT_EQ(parseProgramOptions({"-root", "-install", "-visual", "default", "--noinstall"}), 0);
    EXPECT_EQ(programOptions.saverMode, SaverMode::x11Root);
    EXPECT_EQ(programOptions.saverDelay, 0u);
}

TEST(ParseProgramOptions, BadDelaysEndWithStatusTwoAndSayWhy) {
    for (const char* delay : {"", "-1", "10000001", "1e5", "fast", "5ms", "+5", " 5"}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(parseProgramOptions({"-root", "-delay", delay}), 2) << delay;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  std::string("quarnel: -delay takes a whole number from 0 to 10000000, not \"") +
                      delay + "\"\n");
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"-root", "--delay"}), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "quarnel: -delay needs a value\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseProgramOptions({"-root", "-visual"}), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "quarnel: -visual needs a value\n");
}

TEST(ParseProgramOptions, PacingOptionsBelongWhereTheyMeanSomething) {
    // --stats is the demonstration's and the hack's; -fps and -delay the hack's alone.
    EXPECT_EQ(parseProgramOptions({"--stats", "--windowed"}), 0);
    EXPECT_TRUE(programOptions.frameStatistics);
    expectRefused({"-fps"}, "quarnel: -fps is not an option of the demonstration");
    expectRefused({"--delay", "5"}, "quarnel: --delay is not an option of the demonstration");
    expectRefused({"/s", "--stats"},
                  "quarnel: --stats is not an option of the Windows screensaver (/s)");
    // --fps is the window's rate, which the daemon's window does not take.
    expectRefused({"-root", "--fps", "30"},
                  "quarnel: --fps is not an option of the XScreenSaver hack (-root)");
    expectRefused({"-dleay", "5"}, "quarnel: unknown option \"-dleay\" (did you mean -delay?); "
                                   "quarnel --help lists them");
}

} // namespace
