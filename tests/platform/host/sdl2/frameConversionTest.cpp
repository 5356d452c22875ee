#include "platform/host/sdl2/sdlFrameConversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Converts a frame into a padded target and returns the pixels without the padding.
std::vector<uint32_t> convert(const HostFrame& frame, const HostPaletteEntry* fallback = nullptr) {
    const int targetPitch = frame.width * 4 + 8;
    std::vector<uint32_t> target(static_cast<size_t>(targetPitch / 4 * frame.height), 0xDEADBEEF);
    convertFrame(frame, fallback, reinterpret_cast<uint8_t*>(target.data()), targetPitch);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < frame.height; y++) {
        for (int x = 0; x < frame.width; x++) {
            pixels.push_back(target[static_cast<size_t>(y * targetPitch / 4 + x)]);
        }
        // The target's padding is left alone.
        EXPECT_EQ(target[static_cast<size_t>(y * targetPitch / 4 + frame.width)], 0xDEADBEEFu);
    }
    return pixels;
}

} // namespace

TEST(FrameConversion, PaletteIndicesThroughTheFramePalette) {
    HostPaletteEntry palette[256] = {};
    palette[1] = {0x12, 0x34, 0x56, 4};
    palette[255] = {0xFF, 0x00, 0x80, 4};
    // Two rows of three pixels, each row padded to 8 bytes.
    const uint8_t pixels[] = {0, 1, 255, 9, 9, 9, 9, 9, 255, 1, 0, 9, 9, 9, 9, 9};
    HostFrame frame = {pixels, 3, 2, 8, 1, palette, nullptr, 0};
    std::vector<uint32_t> expected = {0x000000, 0x123456, 0xFF0080, 0xFF0080, 0x123456, 0x000000};
    EXPECT_EQ(convert(frame), expected);
}

TEST(FrameConversion, WithoutAFramePaletteTheLastKnownOneOrGrey) {
    HostPaletteEntry fallback[256] = {};
    fallback[7] = {1, 2, 3, 4};
    const uint8_t pixels[] = {7, 200, 0, 0};
    HostFrame frame = {pixels, 2, 1, 4, 1, nullptr, nullptr, 0};
    std::vector<uint32_t> known = {0x010203, 0x000000};
    EXPECT_EQ(convert(frame, fallback), known);
    std::vector<uint32_t> grey = {0x070707, 0xC8C8C8};
    EXPECT_EQ(convert(frame), grey);
}

TEST(FrameConversion, SixteenBitsAreFiveSixFiveWithFullIntensityKept) {
    // Little-endian 16-bit pixels: white, red, green, blue, black, the lowest step of each.
    const uint16_t values[] = {0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0000, 0x0821};
    uint8_t pixels[sizeof values];
    for (size_t i = 0; i < 6; i++) {
        pixels[2 * i] = static_cast<uint8_t>(values[i] & 0xFF);
        pixels[2 * i + 1] = static_cast<uint8_t>(values[i] >> 8);
    }
    HostFrame frame = {pixels, 6, 1, 12, 2, nullptr, nullptr, 0};
    std::vector<uint32_t> expected = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0x080408};
    EXPECT_EQ(convert(frame), expected);
}

TEST(FrameConversion, TwentyFourBitsAreBlueGreenRed) {
    // Two pixels per row, rows padded from 6 to 8 bytes.
    const uint8_t pixels[] = {0x01, 0x02, 0x03, 0xAA, 0xBB, 0xCC, 0xEE, 0xEE,
                              0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xEE, 0xEE};
    HostFrame frame = {pixels, 2, 2, 8, 3, nullptr, nullptr, 0};
    std::vector<uint32_t> expected = {0x030201, 0xCCBBAA, 0x0000FF, 0xFF0000};
    EXPECT_EQ(convert(frame), expected);
}

// Rows of every width up to 40, so that runs of sixteen and of four pixels and the ones left
// over meet at every offset; each pixel's bytes are distinct, so a byte taken from a neighbour
// shows; the rows are packed as tightly as 4-byte alignment allows, so that a read beyond the
// last one is outside the buffer, which the sanitizers see.
TEST(FrameConversion, TwentyFourBitRowsOfAnyWidth) {
    for (int width = 1; width <= 40; width++) {
        const int pitch = (width * 3 + 3) & ~3;
        std::vector<uint8_t> pixels(static_cast<size_t>(pitch) * 3, 0xEE);
        std::vector<uint32_t> expected;
        for (int y = 0; y < 3; y++) {
            for (int x = 0; x < width; x++) {
                uint8_t* pixel = &pixels[static_cast<size_t>(y * pitch + 3 * x)];
                pixel[0] = static_cast<uint8_t>(x * 3 + y * 64);
                pixel[1] = static_cast<uint8_t>(x * 3 + 1 + y * 64);
                pixel[2] = static_cast<uint8_t>(x * 3 + 2 + y * 64);
                expected.push_back(static_cast<uint32_t>(pixel[2]) << 16 |
                                   static_cast<uint32_t>(pixel[1]) << 8 | pixel[0]);
            }
        }
        HostFrame frame = {pixels.data(), width, 3, pitch, 3, nullptr, nullptr, 0};
        EXPECT_EQ(convert(frame), expected) << "width " << width;
    }
}

TEST(FrameConversion, ThirtyTwoBitsIgnoreTheFourthByte) {
    const uint8_t pixels[] = {0x01, 0x02, 0x03, 0xFF, 0x10, 0x20, 0x30, 0x7F};
    HostFrame frame = {pixels, 2, 1, 8, 4, nullptr, nullptr, 0};
    std::vector<uint32_t> expected = {0x030201, 0x302010};
    EXPECT_EQ(convert(frame), expected);
}

TEST(FrameConversion, AnUnknownDepthGivesBlack) {
    const uint8_t pixels[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    HostFrame frame = {pixels, 1, 1, 16, 5, nullptr, nullptr, 0};
    std::vector<uint32_t> expected = {0x000000};
    EXPECT_EQ(convert(frame), expected);
}
