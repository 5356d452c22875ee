// A temporary file name of the running test's own: ctest runs tests in parallel processes, and
// other builds on the same machine run the same tests at the same time, so the name holds the
// process id too.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

inline std::string tempFilePath(const char* extension) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("quarnel_") + test->test_suite_name() + "_" + test->name();
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return ::testing::TempDir() + name + "_" + std::to_string(getpid()) + extension;
}
