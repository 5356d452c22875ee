// Readable names for parameterised tests: gtest names each instance from the generators here,
// and CMake's test discovery names the ctest entries from the PrintTo of the parameter.
#pragma once

#include "record/displayState.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

// Letters and digits of text, each run of anything else one underscore: a valid test name.
inline std::string testNameOf(const std::string& text) {
    std::string name;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name;
}

inline std::string pixelModeName(PixelMode mode) {
    switch (mode) {
    case pixelModePalettized:
        return "palettized8";
    case pixelModeTrueColour24:
        return "trueColour24";
    case pixelModeTrueColour32:
        return "trueColour32";
    default:
        return "mode" + std::to_string(mode);
    }
}

// For suites over PixelMode: INSTANTIATE_TEST_SUITE_P(..., namePixelMode).
inline std::string namePixelMode(const ::testing::TestParamInfo<PixelMode>& info) {
    return pixelModeName(info.param);
}

// For suites over a bit depth.
inline std::string nameDepth(const ::testing::TestParamInfo<int>& info) {
    return "depth" + std::to_string(info.param);
}

// For suites over a case struct with a PrintTo: the printed case, made a valid name.
template <typename Case> std::string namePrintedCase(const ::testing::TestParamInfo<Case>& info) {
    return testNameOf(::testing::PrintToString(info.param));
}
