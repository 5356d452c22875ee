#include "app/preferences.h"
#include "app/commandLine.h"
#include "record/displayState.h"
#include "support/systemReset.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Each test runs in a fresh folder of its own.
class PreferencesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quarnel-prefs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        resetSystemGlobals();
    }
    void TearDown() override {
        resetSystemGlobals();
        std::remove(preferencesPath);
        ASSERT_EQ(chdir(previous), 0);
        rmdir(folder.c_str());
    }
    void write(const std::string& text) { std::ofstream(preferencesPath) << text; }
    std::string read() {
        std::ifstream in(preferencesPath);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string folder;
    char previous[4096];
};

TEST_F(PreferencesTest, FirstRunCreatesTheDefaults) {
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 800);
    EXPECT_EQ(display.screenHeight, 600);
    EXPECT_EQ(speedPreference, 20.0f);
    EXPECT_EQ(read(), "Resolution: 800x600\nSpeed: 20.000000\n");
}

TEST_F(PreferencesTest, ReadsBothLinesAndLeavesTheFileAlone) {
    write("Resolution: 1024x768\nSpeed: 5\n");
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 1024);
    EXPECT_EQ(display.screenHeight, 768);
    EXPECT_EQ(speedPreference, 5.0f);
    EXPECT_EQ(read(), "Resolution: 1024x768\nSpeed: 5\n");
}

TEST_F(PreferencesTest, BlanksMatchAnyWhiteSpaceIncludingNone) {
    write("Resolution:1024x768   \n\n  Speed:2.5e1 trailing words\nthird line\n");
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 1024);
    EXPECT_EQ(display.screenHeight, 768);
    EXPECT_EQ(speedPreference, 25.0f);
}

TEST_F(PreferencesTest, WordsMustMatchCase) {
    write("resolution: 1024x768\nSpeed: 5\n");
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 0);
    EXPECT_EQ(display.screenHeight, 0);
    // The speed line is never reached, so the speed keeps its default.
    EXPECT_EQ(speedPreference, 20.0f);
}

TEST_F(PreferencesTest, UnreadableSpeedKeepsTheDefault) {
    write("Resolution: 640x480\nSpeed: fast\n");
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 640);
    EXPECT_EQ(display.screenHeight, 480);
    EXPECT_EQ(speedPreference, 20.0f);
}

TEST_F(PreferencesTest, UpperCaseXDoesNotSeparate) {
    write("Resolution: 640X480\nSpeed: 3\n");
    loadPreferences();
    // The width is read before the separator fails to match, as formatted input does.
    EXPECT_EQ(display.screenWidth, 640);
    EXPECT_EQ(display.screenHeight, 0);
    EXPECT_EQ(speedPreference, 20.0f);
}

// Out-of-range numbers are as unreadable as words: they are not assigned and the reading stops
// there, so the speed line is not reached either.
TEST_F(PreferencesTest, NumbersOutOfRangeCountAsUnreadable) {
    write("Resolution: 4294967616x4294967536\nSpeed: 5\n");
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 0);
    EXPECT_EQ(display.screenHeight, 0);
    EXPECT_EQ(speedPreference, 20.0f);
    write("Resolution: 640x-2147483649\nSpeed: 5\n");
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 640);
    EXPECT_EQ(display.screenHeight, 0);
    EXPECT_EQ(speedPreference, 20.0f);
    write("Resolution: -2147483648x+2147483647\nSpeed: 5\n");
    loadPreferences();
    EXPECT_EQ(display.screenWidth, INT32_MIN);
    EXPECT_EQ(display.screenHeight, INT32_MAX);
    EXPECT_EQ(speedPreference, 5.0f);
}

TEST_F(PreferencesTest, ASpeedThatIsNotFiniteIsTwenty) {
    for (const char* speed : {"nan", "inf", "-inf", "1e39", "-1e39", "infinity"}) {
        write(std::string("Resolution: 640x480\nSpeed: ") + speed + "\n");
        speedPreference = 0;
        loadPreferences();
        EXPECT_EQ(speedPreference, 20.0f) << speed;
    }
    write("Resolution: 640x480\nSpeed: 3.4028234e38\n");
    loadPreferences();
    EXPECT_EQ(speedPreference, 3.4028234e38f);
    write("Resolution: 640x480\nSpeed: -2.5e-3xyz\n");
    loadPreferences();
    EXPECT_EQ(speedPreference, -2.5e-3f);
}

// A folder or a FIFO in the file's place is no preferences file (a FIFO would hold the start-up
// until someone writes to it): the defaults hold, and nothing is written over it.
TEST_F(PreferencesTest, NotARegularFileCountsAsMissingAndIsNotOverwritten) {
    ASSERT_EQ(mkdir(preferencesPath, 0755), 0);
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 800);
    EXPECT_EQ(display.screenHeight, 600);
    EXPECT_EQ(speedPreference, 20.0f);
    struct stat status;
    ASSERT_EQ(stat(preferencesPath, &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    ASSERT_EQ(rmdir(preferencesPath), 0);

    ASSERT_EQ(mkfifo(preferencesPath, 0644), 0);
    display.screenWidth = 0;
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 800);
    ASSERT_EQ(stat(preferencesPath, &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// Nothing can create files in /proc, not even root.
TEST_F(PreferencesTest, AFileThatCannotBeCreatedIsNotWritten) {
    ASSERT_EQ(chdir("/proc"), 0);
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 800);
    EXPECT_EQ(display.screenHeight, 600);
    EXPECT_EQ(speedPreference, 20.0f);
    EXPECT_NE(access(preferencesPath, F_OK), 0);
}

TEST(CommandLine, SkipsThePlainProgramName) {
    EXPECT_STREQ(skipProgramName("quarnel.exe   -a b"), "-a b");
    EXPECT_STREQ(skipProgramName("quarnel.exe"), "");
    EXPECT_STREQ(skipProgramName(""), "");
}

TEST(CommandLine, SkipsAQuotedProgramName) {
    EXPECT_STREQ(skipProgramName("\"C:\\Program Files\\quarnel.exe\"  rest"), "rest");
    EXPECT_STREQ(skipProgramName("\"quarnel\"rest"), "rest");
    // An unclosed quote skips nothing.
    EXPECT_STREQ(skipProgramName("\"quarnel rest"), "\"quarnel rest");
}

} // namespace
