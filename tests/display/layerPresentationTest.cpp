#include "display/presentation.h"
#include "support/testNames.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

using ::testing::ExitedWithCode;

namespace {

const int32_t width = 40;
const int32_t height = 30;

class LayerPresentationTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        headlessSetExtraPitch(8);
        createTestWindow(width, height);
        openDisplayTrueColour();
        createBackAndLayer();
    }
};

void fillPicture(uint8_t* buffer, int32_t pitch, uint8_t value) {
    for (int32_t y = 0; y < height; y++) {
        std::memset(buffer + y * pitch, value, (size_t)width * display.pixelMode);
    }
}

::testing::AssertionResult pictureIs(const uint8_t* buffer, int32_t pitch, uint8_t value) {
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width * display.pixelMode; x++) {
            if (buffer[y * pitch + x] != value) {
                return ::testing::AssertionFailure()
                       << "byte " << x << " of row " << y << " is " << (int)buffer[y * pitch + x];
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(LayerPresentationTest, ShowsTheFrameThenStartsTheNextFromTheLayer) {
    fillPicture(display.backBuffer, display.backPitch, 0x11);
    fillPicture(display.layerBuffer, display.layerPitch, 0x22);
    presentWithLayer();
    const HeadlessFrame* frame = headlessLastFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->pixels[0], 0x11);
    EXPECT_EQ(frame->pixels[width * 3 * height - 1], 0x11);
    EXPECT_TRUE(pictureIs(display.backBuffer, display.backPitch, 0x22));
    EXPECT_TRUE(pictureIs(display.layerBuffer, display.layerPitch, 0x22));
    EXPECT_EQ(display.backBuffer, display.backDesc.lpSurface);
    EXPECT_EQ(display.layerBuffer, display.layerDesc.lpSurface);
    EXPECT_EQ(headlessMessageBoxCount(), 0);
}

TEST_F(LayerPresentationTest, RestoreFromLayerShowsNothing) {
    fillPicture(display.backBuffer, display.backPitch, 0x11);
    fillPicture(display.layerBuffer, display.layerPitch, 0x33);
    int presents = headlessPresentCount();
    restoreFromLayer();
    EXPECT_EQ(headlessPresentCount(), presents);
    EXPECT_TRUE(pictureIs(display.backBuffer, display.backPitch, 0x33));
    EXPECT_TRUE(pictureIs(display.layerBuffer, display.layerPitch, 0x33));
}

TEST_F(LayerPresentationTest, RestoreFromLayerChecksNothing) {
    headlessFailCall("BltFast", 1, DDERR_SURFACELOST);
    restoreFromLayer();
    EXPECT_EQ(headlessMessageBoxCount(), 0);
    ASSERT_NE(display.backBuffer, nullptr);
    ASSERT_NE(display.layerBuffer, nullptr);
}

struct LayerSite {
    const char* call;
    int nth;
    int site;
};

void PrintTo(const LayerSite& site, std::ostream* out) {
    *out << site.call << " " << site.nth << " fails at site " << site.site;
}

class LayerSiteTest : public LayerPresentationTest,
                      public ::testing::WithParamInterface<LayerSite> {};

TEST_P(LayerSiteTest, FailingStepEndsWithItsSite) {
    headlessFailCall(GetParam().call, GetParam().nth, DDERR_SURFACELOST);
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            presentWithLayer();
        },
        ExitedWithCode(1),
        "^Oh sod it: DirectDraw error 887601C2 @ " + std::to_string(GetParam().site) +
            "\n.*live 0\n$");
}

INSTANTIATE_TEST_SUITE_P(Sites, LayerSiteTest,
                         ::testing::Values(LayerSite{"Unlock", 1, 101}, LayerSite{"Unlock", 2, 102},
                                           LayerSite{"BltFast", 1, 103},
                                           LayerSite{"BltFast", 2, 104}, LayerSite{"Lock", 1, 105},
                                           LayerSite{"Lock", 2, 106}),
                         namePrintedCase<LayerSite>);

} // namespace
