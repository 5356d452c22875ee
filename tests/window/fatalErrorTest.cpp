#include "window/fatalError.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

using ::testing::ExitedWithCode;

namespace {

class FatalErrorTest : public SystemTest {
  protected:
};

TEST_F(FatalErrorTest, ZeroResultDoesNothing) {
    openTestDisplay(64, 48);
    int live = headlessLiveObjectCount();
    checkDirectDraw(9, DD_OK);
    checkDirectDraw(2403, 0);
    EXPECT_EQ(headlessMessageBoxCount(), 0);
    EXPECT_EQ(headlessLiveObjectCount(), live);
    EXPECT_NE(display.backSurface, nullptr);
}

// The whole of standard error is one line: the caption and the text, nothing else.
TEST_F(FatalErrorTest, FailureEndsWithStatusOneAndOneLineOnStandardError) {
    EXPECT_EXIT(checkDirectDraw(9, 1), ExitedWithCode(1),
                "^Oh sod it: DirectDraw error 00000001 @ 9\n$");
}

TEST_F(FatalErrorTest, ResultsPrintAsEightUpperCaseHexDigits) {
    EXPECT_EXIT(checkDirectDraw(2403, DDERR_INVALIDMODE), ExitedWithCode(1),
                "^Oh sod it: DirectDraw error 88760078 @ 2403\n$");
    EXPECT_EXIT(checkDirectDraw(5, -1), ExitedWithCode(1), "DirectDraw error FFFFFFFF @ 5\n");
    EXPECT_EXIT(checkDirectDraw(101, (HRESULT)0x8007000Eu), ExitedWithCode(1),
                "DirectDraw error 8007000E @ 101\n");
    EXPECT_EXIT(checkDirectDraw(1234, 0xABC), ExitedWithCode(1),
                "DirectDraw error 00000ABC @ 1234\n");
}

// A Release's positive reference count is a failure like any other.
TEST_F(FatalErrorTest, PositiveResultIsFatal) {
    EXPECT_EXIT(checkDirectDraw(201, 2), ExitedWithCode(1), "DirectDraw error 00000002 @ 201");
}

TEST_F(FatalErrorTest, MessageBoxGetsTextCaptionAndFlagsAfterDisplayIsReleased) {
    EXPECT_EXIT(
        {
            openTestDisplay(64, 48);
            std::atexit(reportFatalAftermath);
            checkDirectDraw(2403, DDERR_UNSUPPORTEDMODE);
        },
        ExitedWithCode(1),
        "box 'DirectDraw error 8876024E @ 2403' caption 'Oh sod it' flags 10010 live 0\n");
}

TEST_F(FatalErrorTest, FatalErrorBeforeAnyDisplayObjectReleasesNothing) {
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            fatalError("Couldn't create a window");
        },
        ExitedWithCode(1),
        "^Oh sod it: Couldn't create a window\nbox 'Couldn't create a window' caption 'Oh sod "
        "it' flags 10010 live 0\n$");
}

TEST_F(FatalErrorTest, ReleaseDisplayObjectsReleasesEverythingOnceAndForgetsIt) {
    createTestWindow(64, 48);
    openDisplayTrueColour();
    createBackAndLayer();
    ASSERT_GT(headlessLiveObjectCount(), 0);
    releaseDisplayObjects();
    EXPECT_EQ(headlessLiveObjectCount(), 0);
    EXPECT_EQ(display.primarySurface, nullptr);
    EXPECT_EQ(display.backSurface, nullptr);
    EXPECT_EQ(display.layerSurface, nullptr);
    EXPECT_EQ(display.directDraw, nullptr);
    EXPECT_EQ(display.backBuffer, nullptr);
    EXPECT_EQ(display.layerBuffer, nullptr);
    // Calling it again touches nothing that is gone.
    releaseDisplayObjects();
    EXPECT_EQ(headlessCallCount("IDirectDraw::Release"), 1);
}

} // namespace
