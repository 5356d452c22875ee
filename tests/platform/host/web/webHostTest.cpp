// The web host's pixels for the canvas, the page's input as Win32 events, and a flight on the
// virtual clock ended exactly as quarnel-render ends it.
#include "platform/host/web/webHost.h"
#include "platform/host/host.h"
#include "platform/host/web/webFrameConversion.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> convert(const HostFrame& frame, const HostPaletteEntry* fallback = nullptr) {
    std::vector<uint8_t> rgba(static_cast<size_t>(frame.width * frame.height * 4), 0xEE);
    convertFrameToRgba(frame, fallback, rgba.data());
    return rgba;
}

std::vector<HostEvent> takeEvents() {
    std::vector<HostEvent> events;
    HostEvent event;
    while (activeHost.pollEvent(&event)) {
        events.push_back(event);
    }
    return events;
}

class WebHostTest : public ::testing::Test {
  protected:
    void SetUp() override { webHostReset(); }
};

} // namespace

TEST(WebFrameConversion, TrueColourRowsSkipTheirPaddingAndTheFourthByte) {
    // Two rows of two 32-bit pixels (blue, green, red, unused), each row padded to 12 bytes.
    const uint8_t pixels[] = {1,  2,  3,  99, 4,  5,  6,  99, 7, 7, 7, 7,
                              10, 20, 30, 99, 40, 50, 60, 99, 7, 7, 7, 7};
    HostFrame frame = {pixels, 2, 2, 12, 4, nullptr, nullptr, 0};
    const std::vector<uint8_t> expected = {3,  2,  1,  255, 6,  5,  4,  255,
                                           30, 20, 10, 255, 60, 50, 40, 255};
    EXPECT_EQ(convert(frame), expected);
    // The same picture at 24 bits.
    const uint8_t packed[] = {1, 2, 3, 4, 5, 6, 7, 7, 10, 20, 30, 40, 50, 60, 7, 7};
    HostFrame frame24 = {packed, 2, 2, 8, 3, nullptr, nullptr, 0};
    EXPECT_EQ(convert(frame24), expected);
}

TEST(WebFrameConversion, IndexedThroughTheFramePaletteTheKnownOneOrGrey) {
    HostPaletteEntry palette[256] = {};
    palette[1] = {0x12, 0x34, 0x56, 4};
    HostPaletteEntry known[256] = {};
    known[1] = {1, 2, 3, 4};
    const uint8_t pixels[] = {1, 200, 9, 9};
    HostFrame frame = {pixels, 2, 1, 4, 1, palette, nullptr, 0};
    EXPECT_EQ(convert(frame, known), (std::vector<uint8_t>{0x12, 0x34, 0x56, 255, 0, 0, 0, 255}));
    frame.palette = nullptr;
    EXPECT_EQ(convert(frame, known), (std::vector<uint8_t>{1, 2, 3, 255, 0, 0, 0, 255}));
    EXPECT_EQ(convert(frame), (std::vector<uint8_t>{1, 1, 1, 255, 200, 200, 200, 255}));
}

TEST(WebFrameConversion, SixteenBitsAreFiveSixFiveAndOtherDepthsBlack) {
    const uint8_t pixels[] = {0xFF, 0xFF, 0x21, 0x08}; // white, the lowest step of each
    HostFrame frame = {pixels, 2, 1, 4, 2, nullptr, nullptr, 0};
    EXPECT_EQ(convert(frame), (std::vector<uint8_t>{255, 255, 255, 255, 8, 4, 8, 255}));
    frame.bytesPerPixel = 5;
    EXPECT_EQ(convert(frame), (std::vector<uint8_t>{0, 0, 0, 255, 0, 0, 0, 255}));
}

// Rows of every width from 1 to 21 at 24 and 32 bits, each row padded: the vector code's
// groups of four and the pixels left over at a row's end, with no byte read past the row.
TEST(WebFrameConversion, EveryRowWidthGivesEachPixelsRedGreenBlue) {
    for (int bytes = 3; bytes <= 4; bytes++) {
        for (int width = 1; width <= 21; width++) {
            const int pitch = width * bytes + 5;
            std::vector<uint8_t> pixels(static_cast<size_t>(pitch * 2));
            for (size_t i = 0; i < pixels.size(); i++) {
                pixels[i] = static_cast<uint8_t>(i * 37 + 11);
            }
            HostFrame frame = {pixels.data(), width, 2, pitch, bytes, nullptr, nullptr, 0};
            const std::vector<uint8_t> rgba = convert(frame);
            for (int y = 0; y < 2; y++) {
                for (int x = 0; x < width; x++) {
                    const uint8_t* pixel = &pixels[static_cast<size_t>(y * pitch + x * bytes)];
                    const uint8_t* out = &rgba[static_cast<size_t>(4 * (y * width + x))];
                    ASSERT_EQ(out[0], pixel[2]) << bytes << " " << width << " " << x;
                    ASSERT_EQ(out[1], pixel[1]);
                    ASSERT_EQ(out[2], pixel[0]);
                    ASSERT_EQ(out[3], 255);
                }
            }
        }
    }
}

// A changed rectangle converts into its own place in the whole frame and nowhere else; parts
// outside the frame are cut off, and an empty rectangle converts nothing.
TEST(WebFrameConversion, ARectangleConvertsOnlyItsPixels) {
    const int width = 11, height = 5, pitch = 11 * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(pitch * height));
    for (size_t i = 0; i < pixels.size(); i++) {
        pixels[i] = static_cast<uint8_t>(i * 13 + 1);
    }
    HostFrame frame = {pixels.data(), width, height, pitch, 4, nullptr, nullptr, 0};
    const std::vector<uint8_t> whole = convert(frame);
    std::vector<uint8_t> part(whole.size(), 0xEE);
    convertFrameRectToRgba(frame, nullptr, 2, 1, 7, 3, part.data());
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            const bool inside = x >= 2 && x < 9 && y >= 1 && y < 4;
            for (int c = 0; c < 4; c++) {
                const size_t at = static_cast<size_t>(4 * (y * width + x) + c);
                ASSERT_EQ(part[at], inside ? whole[at] : 0xEE) << x << " " << y;
            }
        }
    }
    std::vector<uint8_t> cut(whole.size(), 0xEE);
    convertFrameRectToRgba(frame, nullptr, -3, -2, 100, 100, cut.data());
    EXPECT_EQ(cut, whole);
    std::vector<uint8_t> none(whole.size(), 0xEE);
    convertFrameRectToRgba(frame, nullptr, 4, 2, 0, 3, none.data());
    convertFrameRectToRgba(frame, nullptr, 4, 2, 3, -1, none.data());
    convertFrameRectToRgba(frame, nullptr, 11, 0, 5, 5, none.data());
    convertFrameRectToRgba(frame, nullptr, -8, 0, 5, 5, none.data());
    EXPECT_EQ(none, std::vector<uint8_t>(whole.size(), 0xEE));
}

TEST_F(WebHostTest, PageInputBecomesWin32Events) {
    EXPECT_STREQ(activeHost.name, "web");
    EXPECT_TRUE(everyHostSlotFilled(activeHost));
    webHostInput(webButtonDown, 0, 0, 1, 0);
    webHostInput(webMouseMoveBy, 5, -3, 0, 0);
    webHostInput(webButtonUp, 0, 0, 1, 0);
    webHostInput(webButtonDown, 0, 0, 4, 0); // the middle button is not the program's
    webHostInput(webKeyDown, 0, 0, 0, 0x51);
    webHostInput(webKeyUp, 0, 0, 0, 0x51);
    webHostInput(webKeyDown, 0, 0, 0, 300); // no Win32 key
    webHostInput(webClose, 0, 0, 0, 0);
    const std::vector<HostEvent> events = takeEvents();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].kind, HostEventKind::buttonDown);
    EXPECT_EQ(events[0].buttons, 1u);
    EXPECT_EQ(events[1].kind, HostEventKind::mouseMoveBy);
    EXPECT_EQ(events[1].x, 5);
    EXPECT_EQ(events[1].y, -3);
    EXPECT_EQ(events[1].buttons, 1u) << "motion carries the held buttons";
    EXPECT_EQ(events[2].kind, HostEventKind::buttonUp);
    EXPECT_EQ(events[3].kind, HostEventKind::keyDown);
    EXPECT_EQ(events[3].key, 0x51u);
    EXPECT_EQ(events[4].kind, HostEventKind::keyUp);
    EXPECT_EQ(events[5].kind, HostEventKind::close);
}

TEST_F(WebHostTest, AFlightRunsOnAStandingClockAndEndsWithEscapeInItsLastFrame) {
    webHostFlyOnVirtualClock(20020, 3);
    EXPECT_EQ(activeHost.tickCount(), 20020u);
    webHostInput(webKeyDown, 0, 0, 0, 0x51); // the page's input is ignored
    webHostInput(webMouseMoveBy, 5, 5, 0, 0);
    EXPECT_TRUE(takeEvents().empty());
    BYTE keys[256];
    for (int frame = 1; frame <= 3; frame++) {
        ASSERT_TRUE(GetKeyboardState(keys));
        EXPECT_EQ(keys[VK_ESCAPE] & 0x80, frame == 3 ? 0x80 : 0) << "frame " << frame;
    }
    EXPECT_EQ(activeHost.tickCount(), 20020u) << "the virtual clock stands";
}

TEST_F(WebHostTest, ASeedHoldsTheClockUntilTheFirstFrame) {
    webHostSetSeed(4000000000u);
    EXPECT_EQ(activeHost.tickCount(), 4000000000u);
    EXPECT_EQ(activeHost.tickCount(), 4000000000u);
    activeHost.keyboardRead();
    EXPECT_LT(activeHost.tickCount() - 4000000000u, 60000u) << "then it runs from the seed";
}
