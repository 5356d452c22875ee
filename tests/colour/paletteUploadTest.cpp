// Palettes reaching the screen of an 8-bit display through the palette object.
#include "colour/paletteUpload.h"
#include "colour/defaultPalette.h"
#include "colour/gammaPalettes.h"
#include "display/presentation.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "support/testNames.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <cstring>

using ::testing::ExitedWithCode;

namespace {

class PaletteUploadTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        openTestDisplay8Bit(16, 8);
    }
};

bool screenShowsPalette() {
    return std::memcmp(headlessScreenPalette(), display.palette, sizeof display.palette) == 0;
}

TEST_F(PaletteUploadTest, GammaPalettesReachTheScreen) {
    setCubePalette(2.0f);
    EXPECT_TRUE(screenShowsPalette());
    EXPECT_EQ(headlessScreenPalette()[41].peRed, 114);
    setHuePalette(1.0f);
    EXPECT_TRUE(screenShowsPalette());
    EXPECT_EQ(headlessScreenPalette()[36].peBlue, 255);
    EXPECT_EQ(headlessCallCount("SetEntries"), 2);
}

TEST_F(PaletteUploadTest, OneEntryIsUploadedAlone) {
    setPaletteEntry(77, 1, 2, 3);
    EXPECT_EQ(headlessCallCount("SetEntries"), 1);
    EXPECT_TRUE(screenShowsPalette());
    EXPECT_EQ(headlessScreenPalette()[77].peGreen, 2);
    EXPECT_EQ(headlessScreenPalette()[77].peFlags, 4);
    // Its neighbour keeps the default palette's (0, 0, 51).
    EXPECT_EQ(headlessScreenPalette()[76].peGreen, 0);
    EXPECT_EQ(headlessScreenPalette()[76].peBlue, 51);
}

TEST_F(PaletteUploadTest, PresentedFrameIsSeenThroughThePalette) {
    setHuePalette(1.0f);
    pixelOps.fillRect(0, 0, 16, 8, 40);
    presentFrame();
    const HeadlessFrame* frame = headlessLastFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->bytesPerPixel, 1);
    EXPECT_EQ(frame->pixels[5], 40);
    EXPECT_EQ(frame->palette[40].peRed, 255);
    EXPECT_EQ(frame->palette[40].peGreen, 0);
}

TEST_F(PaletteUploadTest, TrueColourRunFillsThePaletteAndUploadsNothing) {
    resetSystemGlobals();
    openTestDisplay(16, 8);
    setCubePalette(1.0f);
    setHuePalette(1.0f);
    setPaletteEntry(3, 4, 5, 6);
    EXPECT_EQ(headlessCallCount("SetEntries"), 0);
    EXPECT_EQ(display.paletteObject, nullptr);
    EXPECT_EQ(display.palette[3].peBlue, 6);
    EXPECT_EQ(display.palette[8].peRed, 63);
}

struct UploadSite {
    int which; // 0 setPaletteEntry, 1 setCubePalette, 2 setHuePalette
    const char* expected;
};

void PrintTo(const UploadSite& site, std::ostream* out) {
    static const char* const operations[] = {"setPaletteEntry", "setCubePalette", "setHuePalette"};
    *out << operations[site.which] << ", " << site.expected;
}

class UploadSiteTest : public SystemTestWithParam<UploadSite> {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        openTestDisplay8Bit(16, 8);
    }
};

TEST_P(UploadSiteTest, FailingUploadEndsWithItsSite) {
    headlessFailCall("SetEntries", 1, DDERR_INVALIDPARAMS);
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            if (GetParam().which == 0) {
                setPaletteEntry(1, 2, 3, 4);
            } else if (GetParam().which == 1) {
                setCubePalette(1.0f);
            } else {
                setHuePalette(1.0f);
            }
        },
        ExitedWithCode(1), std::string("^Oh sod it: ") + GetParam().expected + "\n.*live 0\n$");
}

INSTANTIATE_TEST_SUITE_P(Sites, UploadSiteTest,
                         ::testing::Values(UploadSite{0, "DirectDraw error 80070057 @ 18"},
                                           UploadSite{1, "DirectDraw error 80070057 @ 21"},
                                           UploadSite{2, "DirectDraw error 80070057 @ 191"}),
                         namePrintedCase<UploadSite>);

} // namespace
