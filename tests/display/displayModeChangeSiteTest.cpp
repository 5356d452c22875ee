// Each guarded call of the mode change, made to fail, ends the program with its own site code.
#include "display/displayModeChange.h"
#include "display/displaySetup.h"
#include "record/displayState.h"
#include "support/testNames.h"
#include "window/fatalError.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <string>

using ::testing::ExitedWithCode;

namespace {

struct ChangeSite {
    const char* call;
    int nth;
    bool eightBit; // start from an 8-bit display
    bool layer;    // with a layer
    PixelMode mode;
    HRESULT result;
    const char* expected;
};

void PrintTo(const ChangeSite& site, std::ostream* out) {
    *out << site.call << " " << site.nth << " fails from " << (site.eightBit ? 8 : 24) << " bits"
         << (site.layer ? " with layer" : "") << " to mode " << site.mode << ", " << site.expected;
}

class ChangeSiteTest : public SystemTestWithParam<ChangeSite> {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        const ChangeSite& site = GetParam();
        createTestWindow(64, 48);
        if (site.eightBit) {
            openDisplay8Bit();
        } else {
            openDisplayTrueColour();
        }
        if (site.layer) {
            createBackAndLayer();
        } else {
            createBackBuffer();
        }
    }
};

TEST_P(ChangeSiteTest, FailingCallEndsWithItsSite) {
    const ChangeSite& site = GetParam();
    headlessFailCall(site.call, site.nth, site.result);
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            changeDisplayMode(32, 24, site.mode);
        },
        ExitedWithCode(1), std::string("^Oh sod it: ") + site.expected + "\n.*live 0\n$");
}

INSTANTIATE_TEST_SUITE_P(
    Sites, ChangeSiteTest,
    ::testing::Values(
        ChangeSite{"IDirectDrawSurface::Release", 1, false, false, 3, 1,
                   "DirectDraw error 00000001 @ 201"},
        ChangeSite{"Unlock", 1, false, false, 3, DDERR_GENERIC, "DirectDraw error 80004005 @ 202"},
        ChangeSite{"IDirectDrawSurface::Release", 2, false, false, 3, 2,
                   "DirectDraw error 00000002 @ 203"},
        ChangeSite{"Unlock", 2, false, true, 3, DDERR_GENERIC, "DirectDraw error 80004005 @ 204"},
        ChangeSite{"IDirectDrawSurface::Release", 3, false, true, 3, 1,
                   "DirectDraw error 00000001 @ 205"},
        ChangeSite{"CreateSurface", 1, false, false, 4, DDERR_OUTOFMEMORY,
                   "DirectDraw error 8007000E @ 207"},
        ChangeSite{"SetEntries", 1, true, false, 1, DDERR_GENERIC,
                   "DirectDraw error 80004005 @ 208"},
        ChangeSite{"SetPalette", 1, true, false, 1, DDERR_GENERIC,
                   "DirectDraw error 80004005 @ 209"},
        ChangeSite{"SetPalette", 1, false, false, 1, DDERR_GENERIC,
                   "DirectDraw error 80004005 @ 209"},
        ChangeSite{"CreatePalette", 1, false, false, 1, DDERR_OUTOFMEMORY,
                   "DirectDraw error 8007000E @ 4"},
        ChangeSite{"SetEntries", 1, false, false, 1, DDERR_GENERIC,
                   "DirectDraw error 80004005 @ 21"},
        ChangeSite{"CreateSurface", 1, false, false, 1, DDERR_OUTOFMEMORY,
                   "DirectDraw error 8007000E @ 207"},
        ChangeSite{"SetPalette", 2, true, false, 1, DDERR_GENERIC,
                   "DirectDraw error 80004005 @ 8"}),
    namePrintedCase<ChangeSite>);

} // namespace
