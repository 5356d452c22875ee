#include "display/displaySetup.h"
#include "raster/pixelOps.h"
#include "record/displayState.h"
#include "support/testNames.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

using ::testing::ExitedWithCode;

namespace {

class DisplaySetupTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        createTestWindow(64, 48);
    }
};

TEST_F(DisplaySetupTest, TwentyFourBitsWhenTheDisplayTakesThem) {
    openDisplayTrueColour();
    EXPECT_EQ(display.pixelMode, 3);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 24);
    EXPECT_EQ(headlessDisplayMode().width, 64);
    EXPECT_EQ(headlessDisplayMode().height, 48);
    EXPECT_NE(display.directDraw, nullptr);
    EXPECT_NE(display.primarySurface, nullptr);
    EXPECT_EQ(display.paletteObject, nullptr);
    EXPECT_EQ(display.primaryDesc.dwSize, sizeof(DDSURFACEDESC));
    EXPECT_EQ(display.primaryDesc.dwFlags & DDSD_CAPS, (DWORD)DDSD_CAPS);
    EXPECT_EQ(display.primaryDesc.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE,
              (DWORD)DDSCAPS_PRIMARYSURFACE);
}

TEST_F(DisplaySetupTest, RefusedTwentyFourBitsFallsSilentlyToThirtyTwo) {
    headlessRefuseDepth(24);
    openDisplayTrueColour();
    EXPECT_EQ(display.pixelMode, 4);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 32);
    EXPECT_EQ(headlessMessageBoxCount(), 0);
}

TEST_F(DisplaySetupTest, PixelOpsFollowTheMode) {
    openDisplayTrueColour();
    createBackBuffer();
    pixelOps.plot(1, 0, 0x112233);
    EXPECT_EQ(display.backBuffer[3], 0x33);
    EXPECT_EQ(display.backBuffer[5], 0x11);
    EXPECT_EQ(pixelOps.peek(1, 0), 0x112233u);

    resetSystemGlobals();
    createTestWindow(64, 48);
    headlessRefuseDepth(24);
    openDisplayTrueColour();
    createBackBuffer();
    pixelOps.plot(1, 0, 0x112233);
    EXPECT_EQ(display.backBuffer[4], 0x33);
    EXPECT_EQ(display.backBuffer[6], 0x11);
}

TEST_F(DisplaySetupTest, BothDepthsRefusedEndsAtSite2403WithTheSecondRefusal) {
    headlessRefuseDepth(24);
    headlessRefuseDepth(32);
    EXPECT_EXIT(openDisplayTrueColour(), ExitedWithCode(1),
                "^Oh sod it: DirectDraw error 88760078 @ 2403\n$");
}

TEST_F(DisplaySetupTest, BackBufferIsLockedAndScreenSized) {
    headlessSetExtraPitch(20);
    openDisplayTrueColour();
    createBackBuffer();
    ASSERT_NE(display.backBuffer, nullptr);
    EXPECT_GE(display.backPitch, 64 * 3 + 20);
    EXPECT_EQ(display.backDesc.dwWidth, 64u);
    EXPECT_EQ(display.backDesc.dwHeight, 48u);
    EXPECT_EQ(display.backDesc.dwSize, sizeof(DDSURFACEDESC));
    EXPECT_EQ(display.backDesc.ddsCaps.dwCaps & (DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY),
              (DWORD)(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY));
    EXPECT_EQ(display.backBuffer, display.backDesc.lpSurface);
    EXPECT_EQ(display.backPitch, display.backDesc.lPitch);
    // Every byte of every row is ours to write.
    std::memset(display.backBuffer, 0x5A, (size_t)display.backPitch * 48);
    EXPECT_EQ(headlessCallCount("Lock"), 1);
    EXPECT_EQ(headlessCallCount("Unlock"), 0) << "it stays locked";
}

TEST_F(DisplaySetupTest, BackAndLayerAreTwoLockedSurfacesOfOneDescription) {
    headlessRefuseDepth(24);
    openDisplayTrueColour();
    createBackAndLayer();
    ASSERT_NE(display.backBuffer, nullptr);
    ASSERT_NE(display.layerBuffer, nullptr);
    EXPECT_NE(display.backSurface, display.layerSurface);
    EXPECT_NE(display.backBuffer, display.layerBuffer);
    EXPECT_EQ(display.layerPitch, display.backPitch);
    EXPECT_EQ(display.layerDesc.dwWidth, display.backDesc.dwWidth);
    EXPECT_EQ(display.layerDesc.dwHeight, display.backDesc.dwHeight);
    EXPECT_EQ(display.layerDesc.ddsCaps.dwCaps, display.backDesc.ddsCaps.dwCaps);
    EXPECT_GE(display.layerPitch, 64 * 4);
    std::memset(display.layerBuffer, 1, (size_t)display.layerPitch * 48);
    std::memset(display.backBuffer, 2, (size_t)display.backPitch * 48);
    EXPECT_EQ(display.layerBuffer[0], 1);
}

// Each guarded call of the set-ups, made to fail, ends the program with its own site code.
struct SiteCase {
    const char* call;
    int nth;
    int setup; // 0 open only, 1 open + back buffer, 2 open + back and layer
    const char* expected;
};

void PrintTo(const SiteCase& site, std::ostream* out) {
    static const char* const setups[] = {"open", "back buffer", "back and layer"};
    *out << site.call << " " << site.nth << " fails in " << setups[site.setup] << ", "
         << site.expected;
}

class SetupSiteTest : public SystemTestWithParam<SiteCase> {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        createTestWindow(64, 48);
    }
};

TEST_P(SetupSiteTest, FailingCallEndsWithItsSite) {
    const SiteCase& site = GetParam();
    headlessFailCall(site.call, site.nth, DDERR_OUTOFMEMORY);
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            openDisplayTrueColour();
            if (site.setup == 1) {
                createBackBuffer();
            } else if (site.setup == 2) {
                createBackAndLayer();
            }
        },
        ExitedWithCode(1), std::string("^Oh sod it: ") + site.expected + "\n.*live 0\n$");
}

INSTANTIATE_TEST_SUITE_P(
    Sites, SetupSiteTest,
    ::testing::Values(SiteCase{"DirectDrawCreate", 1, 0, "DirectDraw error 8007000E @ 2401"},
                      SiteCase{"SetCooperativeLevel", 1, 0, "DirectDraw error 8007000E @ 2402"},
                      SiteCase{"CreateSurface", 1, 0, "DirectDraw error 8007000E @ 2405"},
                      SiteCase{"CreateSurface", 2, 1, "DirectDraw error 8007000E @ 7"},
                      SiteCase{"Lock", 1, 1, "DirectDraw error 8007000E @ 9"},
                      SiteCase{"CreateSurface", 2, 2, "DirectDraw error 8007000E @ 10"},
                      SiteCase{"Lock", 1, 2, "DirectDraw error 8007000E @ 12"},
                      SiteCase{"CreateSurface", 3, 2, "DirectDraw error 8007000E @ 13"},
                      SiteCase{"Lock", 2, 2, "DirectDraw error 8007000E @ 15"}),
    namePrintedCase<SiteCase>);

// The palette sites of the buffers, reached on a display opened in 8 bits.
class PaletteSiteTest : public SystemTestWithParam<SiteCase> {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        createTestWindow(64, 48);
        openDisplay8Bit();
    }
};

TEST_P(PaletteSiteTest, FailingSetPaletteEndsWithItsSite) {
    const SiteCase& site = GetParam();
    headlessFailCall("SetPalette", site.nth, DDERR_NOPALETTEATTACHED);
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            if (site.setup == 1) {
                createBackBuffer();
            } else {
                createBackAndLayer();
            }
        },
        ExitedWithCode(1), std::string("^Oh sod it: ") + site.expected + "\n.*live 0\n$");
}

INSTANTIATE_TEST_SUITE_P(
    Sites, PaletteSiteTest,
    ::testing::Values(SiteCase{"SetPalette", 1, 1, "DirectDraw error 8876023C @ 8"},
                      SiteCase{"SetPalette", 1, 2, "DirectDraw error 8876023C @ 11"},
                      SiteCase{"SetPalette", 2, 2, "DirectDraw error 8876023C @ 14"}),
    namePrintedCase<SiteCase>);

TEST_F(DisplaySetupTest, EightBitBuffersCarryThePalette) {
    openDisplay8Bit();
    createBackAndLayer();
    // The primary's, then the back buffer's and the layer's.
    EXPECT_EQ(headlessCallCount("SetPalette"), 3);
    LPDIRECTDRAWPALETTE attached = nullptr;
    ASSERT_EQ(display.layerSurface->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, display.paletteObject);
    attached->Release();
}

} // namespace
