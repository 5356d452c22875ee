// Bounded random test: random display shapes, clip windows and primitives with random and
// extreme arguments, drawn into buffers of exactly pitch x height bytes. Under AddressSanitizer
// any byte written outside them is reported; in other builds guard bytes around each buffer
// must keep their pattern. The seeds are fixed, so a failure repeats.
#include "raster/areaPrimitives.h"
#include "raster/circles.h"
#include "raster/clipWindow.h"
#include "raster/lines.h"
#include "raster/mousePointer.h"
#include "raster/pixelOps.h"
#include "raster/sprites.h"
#include "record/displayState.h"
#include "support/systemReset.h"
#include "window/inputState.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define QUARNEL_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUARNEL_UNDER_ASAN 1
#endif
#endif

namespace {

#ifdef QUARNEL_UNDER_ASAN
const size_t guardBytes = 0;
#else
const size_t guardBytes = 256;
#endif
const uint8_t guardValue = 0xA5;

// One heap block per buffer: guard, exactly size bytes, guard.
struct GuardedBuffer {
    std::unique_ptr<uint8_t[]> block;
    size_t size = 0;

    uint8_t* allocate(size_t bytes) {
        size = bytes;
        block.reset(new uint8_t[bytes + 2 * guardBytes]);
        std::memset(block.get(), guardValue, bytes + 2 * guardBytes);
        std::memset(block.get() + guardBytes, 0, bytes);
        return block.get() + guardBytes;
    }
    bool guardsIntact() const {
        for (size_t i = 0; i < guardBytes; ++i) {
            if (block[i] != guardValue || block[guardBytes + size + i] != guardValue) {
                return false;
            }
        }
        return true;
    }
};

class Fuzzer {
  public:
    explicit Fuzzer(uint32_t seed) : random(seed) {}

    int32_t between(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    }

    // Mostly values near the area's edges, sometimes the extremes of the type.
    int32_t coordinate() {
        const int32_t w = width;
        const int32_t h = height;
        switch (between(0, 15)) {
        case 0:
            return INT_MIN;
        case 1:
            return INT_MAX;
        case 2:
            return between(-2, 2);
        case 3:
            return w + between(-2, 2);
        case 4:
            return h + between(-2, 2);
        case 5:
            return -w + between(-2, 2);
        case 6:
            return -h + between(-2, 2);
        case 7:
            return between(INT_MIN, INT_MAX);
        case 8:
            return between(-100000, 100000);
        default:
            return between(-2 * w - 4, 2 * w + 4);
        }
    }

    float real() {
        switch (between(0, 12)) {
        case 0:
            return std::numeric_limits<float>::quiet_NaN();
        case 1:
            return between(0, 1) ? std::numeric_limits<float>::infinity()
                                 : -std::numeric_limits<float>::infinity();
        case 2:
            return static_cast<float>(between(-10000, 10000));
        case 3:
            return -0.5f;
        default:
            return static_cast<float>(coordinate() % 200) +
                   std::uniform_real_distribution<float>(-1, 1)(random);
        }
    }

    // A radius that keeps the outline's step count bounded.
    float radius() {
        switch (between(0, 6)) {
        case 0:
            return std::numeric_limits<float>::quiet_NaN();
        case 1:
            return -static_cast<float>(between(0, 20));
        case 2:
            return static_cast<float>(between(0, 3000));
        default:
            return std::uniform_real_distribution<float>(0, 60)(random);
        }
    }

    Colour colour() { return static_cast<Colour>(between(0, 0xFFFFFF)); }

    // A sprite in its own exactly sized block; sizes mostly near the area's, sometimes large.
    std::vector<uint8_t> sprite(int bytesPerPixel) {
        int w = between(0, 2) == 0 ? between(0, 255) : between(0, width + 2);
        int h = between(0, 2) == 0 ? between(0, 255) : between(0, height + 2);
        if (w > 255) {
            w = 255;
        }
        if (h > 255) {
            h = 255;
        }
        std::vector<uint8_t> bytes(2 + static_cast<size_t>(w) * h * bytesPerPixel);
        bytes[0] = static_cast<uint8_t>(w);
        bytes[1] = static_cast<uint8_t>(h);
        // Cheap pixel bytes from one draw, a quarter of them the transparent index.
        uint32_t state = static_cast<uint32_t>(between(INT_MIN, INT_MAX));
        for (size_t i = 2; i < bytes.size(); ++i) {
            state = state * 1664525u + 1013904223u;
            bytes[i] = (state >> 30) == 0 ? 255 : static_cast<uint8_t>(state >> 22);
        }
        return bytes;
    }

    void openDisplay() {
        static const PixelMode modes[] = {1, 3, 4};
        resetSystemGlobals();
        display.pixelMode = modes[between(0, 2)];
        width = between(1, 48);
        height = between(1, 40);
        pitch = width * display.pixelMode + (between(0, 1) ? 0 : between(1, 9));
        const size_t size = static_cast<size_t>(pitch) * height;
        display.screenWidth = width;
        display.screenHeight = height;
        display.backBuffer = back.allocate(size);
        display.layerBuffer = layer.allocate(size);
        display.frontBuffer = front.allocate(size);
        display.backPitch = pitch;
        display.layerPitch = pitch;
        display.frontPitch = pitch;
        selectPixelOps();
        mouseX = coordinate();
        mouseY = coordinate();
    }

    void drawSomething() {
        const int spriteBytes = display.pixelMode == 1 ? 1 : 3;
        switch (between(0, 24)) {
        case 0:
            setClipWindow(coordinate(), coordinate(), coordinate(), coordinate());
            break;
        case 1:
            clearClipWindow();
            break;
        case 2:
            pixelOps.frameRect(coordinate(), coordinate(), coordinate(), coordinate(), colour());
            break;
        case 3:
            frameBox(static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                     static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                     colour());
            break;
        case 4:
            fillRectFront(static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                          static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                          colour());
            break;
        case 5:
            fillBox(static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                    static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                    colour());
            break;
        case 6:
            fillBoxLayer(static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                         static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                         colour());
            break;
        case 7:
            drawSpan(coordinate(), coordinate(), coordinate(), colour());
            break;
        case 8:
            fillTriangle(coordinate(), coordinate(), coordinate(), coordinate(), coordinate(),
                         coordinate(), colour());
            break;
        case 9: {
            const auto s = sprite(spriteBytes);
            pixelOps.blitSprite(coordinate(), coordinate(), s.data());
            break;
        }
        case 10: {
            const auto s = sprite(1);
            pixelOps.blitSpriteClipped(coordinate(), coordinate(), s.data());
            break;
        }
        case 11: {
            const auto s = sprite(4);
            blitSpriteAlpha(coordinate(), coordinate(), s.data());
            break;
        }
        case 12: {
            const auto s = sprite(1);
            blitSpriteFront(coordinate(), coordinate(), s.data());
            break;
        }
        case 13:
            drawCircle(real(), real(), radius(), colour());
            break;
        case 14:
            fillCircle(real(), real(), radius(), colour());
            break;
        case 15:
            mouseX = coordinate();
            mouseY = coordinate();
            drawMousePointer();
            break;
        case 16:
            pixelOps.fillRect(coordinate(), coordinate(), coordinate(), coordinate(), colour());
            break;
        case 17:
            drawLineDirect(real(), real(), real(), real(), colour());
            break;
        case 18:
            drawLineScreen(real(), real(), real(), real(), colour());
            break;
        case 19:
            drawLineFront(real(), real(), real(), real(), colour());
            break;
        case 20:
            pixelOps.plot(static_cast<uint32_t>(coordinate()), static_cast<uint32_t>(coordinate()),
                          colour());
            break;
        case 21:
            // A window reaching past the bottom-right corner: the area then ends where the
            // buffer does, and runs that continue past the area's edge have the least room.
            setClipWindow(between(0, width), between(0, height), width + between(0, 3),
                          height + between(0, 3));
            break;
        default: {
            // Small, well-placed shapes in the current area, window or not, so that the
            // drawing paths themselves run often.
            const int32_t w = display.screenWidth;
            const int32_t h = display.screenHeight;
            const int32_t x = between(-3, w + 3);
            const int32_t y = between(-3, h + 3);
            fillTriangle(x, y, x + between(-9, 9), y + between(-9, 9), between(-3, w + 3),
                         between(-3, h + 3), colour());
            pixelOps.frameRect(x, y, between(0, 12), between(0, 12), colour());
            frameBox(static_cast<uint32_t>(x), static_cast<uint32_t>(y),
                     static_cast<uint32_t>(x + between(0, 12)),
                     static_cast<uint32_t>(y + between(0, 3)), colour());
            const auto s = sprite(spriteBytes);
            pixelOps.blitSprite(between(-w, w), between(-h, h), s.data());
            const auto a = sprite(4);
            blitSpriteAlpha(between(-w, w), between(-h, h), a.data());
            break;
        }
        }
    }

    ::testing::AssertionResult everythingInPlace() {
        clearClipWindow();
        if (!back.guardsIntact() || !layer.guardsIntact() || !front.guardsIntact()) {
            return ::testing::AssertionFailure() << "a guard byte was overwritten";
        }
        if (display.screenWidth != width || display.screenHeight != height ||
            display.backBuffer != back.block.get() + guardBytes ||
            display.layerBuffer != layer.block.get() + guardBytes) {
            return ::testing::AssertionFailure() << "the clip window did not return the area";
        }
        return ::testing::AssertionSuccess();
    }

    std::mt19937 random;
    GuardedBuffer back;
    GuardedBuffer layer;
    GuardedBuffer front;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;
};

TEST(AreaFuzz, RandomPrimitivesStayInsideTheirBuffers) {
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        Fuzzer fuzzer(seed);
        for (int round = 0; round < 500; ++round) {
            fuzzer.openDisplay();
            for (int op = 0; op < 25; ++op) {
                fuzzer.drawSomething();
            }
            ASSERT_TRUE(fuzzer.everythingInPlace()) << "seed " << seed << ", round " << round;
        }
    }
    resetSystemGlobals();
}

} // namespace
