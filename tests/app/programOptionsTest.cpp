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

} // namespace
