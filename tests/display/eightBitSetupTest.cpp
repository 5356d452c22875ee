#include "colour/defaultPalette.h"
#include "display/displaySetup.h"
#include "display/presentation.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "support/testNames.h"
#include "window/fatalError.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using ::testing::ExitedWithCode;

namespace {

class EightBitSetupTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        createTestWindow(64, 48);
    }
};

std::vector<PaletteEntry> defaultPalette() {
    PaletteEntry kept[256];
    std::memcpy(kept, display.palette, sizeof kept);
    buildDefaultPalette();
    std::vector<PaletteEntry> result(display.palette, display.palette + 256);
    std::memcpy(display.palette, kept, sizeof kept);
    return result;
}

TEST_F(EightBitSetupTest, OpensEightBitsWithTheDefaultPaletteOnScreen) {
    std::memset(display.palette, 0x5A, sizeof display.palette);
    openDisplay8Bit();
    EXPECT_EQ(display.pixelMode, 1);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 8);
    EXPECT_EQ(headlessDisplayMode().width, 64);
    EXPECT_EQ(headlessDisplayMode().height, 48);
    ASSERT_NE(display.paletteObject, nullptr);
    std::vector<PaletteEntry> expected = defaultPalette();
    EXPECT_EQ(std::memcmp(display.palette, expected.data(), sizeof display.palette), 0);
    PALETTEENTRY inObject[256];
    ASSERT_EQ(display.paletteObject->GetEntries(0, 0, 256, inObject), DD_OK);
    EXPECT_EQ(std::memcmp(inObject, expected.data(), sizeof inObject), 0);
    EXPECT_EQ(std::memcmp(headlessScreenPalette(), expected.data(), sizeof inObject), 0);
    LPDIRECTDRAWPALETTE attached = nullptr;
    ASSERT_EQ(display.primarySurface->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, display.paletteObject);
    attached->Release();
}

TEST_F(EightBitSetupTest, AllTwoHundredAndFiftySixEntriesAreTheProgramsToSet) {
    openDisplay8Bit();
    ASSERT_EQ(display.paletteObject->SetEntries(0, 0, 1, display.palette + 15), DD_OK);
    PALETTEENTRY first;
    ASSERT_EQ(display.paletteObject->GetEntries(0, 0, 1, &first), DD_OK);
    EXPECT_EQ(first.peRed, 255); // entry 0 is not held black for the system
}

TEST_F(EightBitSetupTest, PixelOpsAndFramesAreEightBit) {
    openDisplay8Bit();
    createBackBuffer();
    pixelOps.plot(3, 0, 0x123456);
    EXPECT_EQ(display.backBuffer[3], 0x56);
    EXPECT_EQ(display.backBuffer[4], 0);
    pixelOps.fillRect(0, 1, 64, 1, 12);
    presentFrame();
    const HeadlessFrame* frame = headlessLastFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->bytesPerPixel, 1);
    EXPECT_EQ(frame->pixels[3], 0x56);
    EXPECT_EQ(frame->pixels[64 + 10], 12);
    EXPECT_EQ(frame->palette[12].peRed, 255);
    EXPECT_EQ(frame->palette[12].peGreen, 0);
}

TEST_F(EightBitSetupTest, BackBufferAndLayerShareThePalette) {
    openDisplay8Bit();
    createBackAndLayer();
    LPDIRECTDRAWPALETTE attached = nullptr;
    ASSERT_EQ(display.backSurface->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, display.paletteObject);
    attached->Release();
    EXPECT_GE(display.layerPitch, 64);
}

TEST_F(EightBitSetupTest, FatalReleaseLeavesNothingAlive) {
    openDisplay8Bit();
    createBackAndLayer();
    releaseDisplayObjects();
    EXPECT_EQ(display.paletteObject, nullptr);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

struct EightBitSite {
    const char* call;
    const char* expected;
};

void PrintTo(const EightBitSite& site, std::ostream* out) {
    *out << site.call << " fails, " << site.expected;
}

class EightBitSiteTest : public SystemTestWithParam<EightBitSite> {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        createTestWindow(64, 48);
    }
};

TEST_P(EightBitSiteTest, FailingCallEndsWithItsSite) {
    headlessFailCall(GetParam().call, 1, DDERR_OUTOFMEMORY);
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            openDisplay8Bit();
        },
        ExitedWithCode(1), std::string("^Oh sod it: ") + GetParam().expected + "\n.*live 0\n$");
}

INSTANTIATE_TEST_SUITE_P(
    Sites, EightBitSiteTest,
    ::testing::Values(EightBitSite{"DirectDrawCreate", "DirectDraw error 8007000E @ 1"},
                      EightBitSite{"SetCooperativeLevel", "DirectDraw error 8007000E @ 2"},
                      EightBitSite{"SetDisplayMode", "DirectDraw error 8007000E @ 3"},
                      EightBitSite{"CreatePalette", "DirectDraw error 8007000E @ 4"},
                      EightBitSite{"CreateSurface", "DirectDraw error 8007000E @ 5"},
                      EightBitSite{"SetPalette", "DirectDraw error 8007000E @ 6"}),
    namePrintedCase<EightBitSite>);

TEST_F(EightBitSetupTest, RefusedEightBitsEndsAtSite3) {
    headlessRefuseDepth(8);
    EXPECT_EXIT(openDisplay8Bit(), ExitedWithCode(1), "DirectDraw error 88760078 @ 3");
}

} // namespace
