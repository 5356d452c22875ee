#include "display/presentation.h"
#include "display/backBufferDC.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const int32_t width = 40;
const int32_t height = 30;
const int extraPitch = 12; // rows wider than the picture: fills must cover the row ends too

class PresentationTest : public SystemTest {
  protected:
    void open(int bits, bool withLayer = false) {
        headlessSetExtraPitch(extraPitch);
        if (bits == 32) {
            headlessRefuseDepth(24);
        }
        createTestWindow(width, height);
        openDisplayTrueColour();
        if (withLayer) {
            createBackAndLayer();
        } else {
            createBackBuffer();
        }
        ASSERT_GT(display.backPitch, width * display.pixelMode);
    }
};

::testing::AssertionResult everyByteIs(const uint8_t* buffer, int32_t pitch, uint8_t value) {
    for (size_t i = 0; i < (size_t)pitch * height; i++) {
        if (buffer[i] != value) {
            return ::testing::AssertionFailure()
                   << "byte " << i % pitch << " of row " << i / pitch << " is " << (int)buffer[i];
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult screenIsUniform(uint8_t value) {
    const HeadlessFrame* frame = headlessLastFrame();
    if (frame == nullptr) {
        return ::testing::AssertionFailure() << "nothing was presented";
    }
    size_t size = (size_t)frame->width * frame->bytesPerPixel * frame->height;
    for (size_t i = 0; i < size; i++) {
        if (frame->pixels[i] != value) {
            return ::testing::AssertionFailure()
                   << "screen byte " << i << " is " << (int)frame->pixels[i];
        }
    }
    return ::testing::AssertionSuccess();
}

void drawGradient(uint8_t* buffer, int32_t pitch) {
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width * display.pixelMode; x++) {
            buffer[y * pitch + x] = (uint8_t)(x + 3 * y);
        }
    }
}

::testing::AssertionResult screenShowsGradient() {
    const HeadlessFrame* frame = headlessLastFrame();
    if (frame == nullptr) {
        return ::testing::AssertionFailure() << "nothing was presented";
    }
    int32_t row = frame->width * frame->bytesPerPixel;
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < row; x++) {
            if (frame->pixels[y * row + x] != (uint8_t)(x + 3 * y)) {
                return ::testing::AssertionFailure() << "screen byte " << x << " of row " << y;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(PresentationTest, PresentShowsTheBackBufferAndLocksItAgain) {
    open(24);
    drawGradient(display.backBuffer, display.backPitch);
    int presents = headlessPresentCount();
    presentFrame();
    EXPECT_EQ(headlessPresentCount(), presents + 1);
    EXPECT_TRUE(screenShowsGradient());
    ASSERT_NE(display.backBuffer, nullptr);
    EXPECT_EQ(display.backBuffer, display.backDesc.lpSurface);
    EXPECT_EQ(display.backPitch, display.backDesc.lPitch);
    EXPECT_EQ(headlessCallCount("Lock"), 2);
    EXPECT_EQ(headlessCallCount("Unlock"), 1);
    drawGradient(display.backBuffer, display.backPitch); // writable: locked again
}

TEST_F(PresentationTest, PresentAndClearInThirtyTwoBitsZeroesEveryByteOfEveryPitch) {
    open(32);
    std::memset(display.backBuffer, 0xEE, (size_t)display.backPitch * height);
    drawGradient(display.backBuffer, display.backPitch);
    presentAndClear(0);
    EXPECT_TRUE(screenShowsGradient()) << "the frame drawn before the call is shown";
    EXPECT_TRUE(everyByteIs(display.backBuffer, display.backPitch, 0));
}

TEST_F(PresentationTest, ClearAndPresentInTwentyFourBitsShowsUniformGrey) {
    open(24);
    drawGradient(display.backBuffer, display.backPitch);
    clearAndPresent(0x40);
    EXPECT_TRUE(screenIsUniform(0x40));
    EXPECT_EQ(headlessLastFrame()->bytesPerPixel, 3);
    EXPECT_TRUE(everyByteIs(display.backBuffer, display.backPitch, 0x40));
}

TEST_F(PresentationTest, LayerFillsCoverPitchTimesHeight) {
    open(32, true);
    clearLayerBuffer(0x7F);
    EXPECT_TRUE(everyByteIs(display.layerBuffer, display.layerPitch, 0x7F));

    drawGradient(display.backBuffer, display.backPitch);
    clearAllAndPresent(0x21);
    EXPECT_TRUE(screenIsUniform(0x21));
    EXPECT_TRUE(everyByteIs(display.backBuffer, display.backPitch, 0x21));
    EXPECT_TRUE(everyByteIs(display.layerBuffer, display.layerPitch, 0x21));
}

TEST_F(PresentationTest, BackBufferLentToGdiComesBackLocked) {
    open(24);
    HDC dc = nullptr;
    EXPECT_EQ(getBackBufferDC(&dc), DD_OK);
    EXPECT_NE(dc, nullptr);
    EXPECT_EQ(headlessCallCount("Unlock"), 1);
    releaseBackBufferDC(&dc);
    EXPECT_EQ(headlessCallCount("ReleaseDC"), 1);
    EXPECT_EQ(headlessCallCount("Lock"), 2);
    ASSERT_NE(display.backBuffer, nullptr);
    EXPECT_EQ(display.backBuffer, display.backDesc.lpSurface);
    std::memset(display.backBuffer, 1, (size_t)display.backPitch * height);
}

TEST_F(PresentationTest, GetDCResultIsHandedBackUnchecked) {
    open(24);
    headlessFailCall("GetDC", 1, DDERR_CANTCREATEDC);
    HDC dc = nullptr;
    EXPECT_EQ(getBackBufferDC(&dc), DDERR_CANTCREATEDC);
    EXPECT_EQ(headlessMessageBoxCount(), 0);
    releaseBackBufferDC(&dc);
    ASSERT_NE(display.backBuffer, nullptr);
}

// The frame presentation checks nothing: a failed blit just shows nothing new.
TEST_F(PresentationTest, FailedBlitIsNotFatal) {
    open(24);
    headlessFailCall("BltFast", 1, DDERR_SURFACELOST);
    int presents = headlessPresentCount();
    presentAndClear(0);
    EXPECT_EQ(headlessPresentCount(), presents);
    EXPECT_EQ(headlessMessageBoxCount(), 0);
    EXPECT_TRUE(everyByteIs(display.backBuffer, display.backPitch, 0));
}

} // namespace
