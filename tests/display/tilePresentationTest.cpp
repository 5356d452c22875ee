// The frame's end copies to the screen only the tiles drawn this frame or the one before and
// zeroes only this frame's: the screen must show exactly what a whole present would, and the
// back buffer must be black again, whichever way the frame went.
#include "display/tilePresentation.h"
#include "display/presentation.h"
#include "raster/drawnTiles.h"
#include "scene/sceneCommands.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Not whole tiles either way: the last column and band of tiles are cut.
const int32_t width = 203;
const int32_t height = 98;

class TilePresentTest : public SystemTestWithParam<int> {
  protected:
    void open(int extraPitch) {
        headlessSetExtraPitch(extraPitch);
        if (GetParam() == 32) {
            headlessRefuseDepth(24);
        }
        openTestDisplay(width, height);
        ASSERT_EQ(display.pixelMode, GetParam() / 8);
        forgetDrawnArea();
    }

    // Frames draw on alternate halves of the screen, so that each frame's drawing leaves the
    // previous frame's place black; some lines run off the screen.
    void drawFrame(int frame) {
        const float shift = static_cast<float>(frame % 2 == 0 ? 0 : width / 2);
        const float wobble = static_cast<float>(frame * 7 % 23);
        sceneLine(shift + 3, 2 + wobble, shift + 90, 80 - wobble, 0x80C040);
        sceneLine(shift - 40, 50 + wobble, shift + 60, 10, 0x3060FF);
        sceneLine(shift + 10 + wobble, 120, shift + 30, 40, 0xFFFFFF);
        sceneDot(shift + 50 + wobble, 90, 0xFF8000);
        sceneDot(width - 1, height - 1, 0x102030);
    }

    // What a whole present would show: the back buffer's rows as they are now.
    std::vector<uint8_t> backPicture() {
        const size_t rowBytes = static_cast<size_t>(width) * display.pixelMode;
        std::vector<uint8_t> picture(rowBytes * height);
        for (int32_t y = 0; y < height; ++y) {
            std::memcpy(picture.data() + rowBytes * y,
                        display.backBuffer + static_cast<size_t>(y) * display.backPitch, rowBytes);
        }
        return picture;
    }

    // The screen as the host was last shown it; empty before the first present.
    static std::vector<uint8_t> shownPicture() {
        const HeadlessFrame* frame = headlessLastFrame();
        if (frame == nullptr) {
            return {};
        }
        return std::vector<uint8_t>(frame->pixels,
                                    frame->pixels + static_cast<size_t>(frame->width) *
                                                        frame->height * frame->bytesPerPixel);
    }

    static int blits() { return headlessCallCount("IDirectDrawSurface::BltFast"); }

    // Presents the frame drawn and checks the screen and the cleared buffer.
    ::testing::AssertionResult presentsAsWhole() {
        const std::vector<uint8_t> picture = backPicture();
        size_t lit = 0;
        for (uint8_t byte : picture) {
            lit += byte != 0;
        }
        if (lit < 100) {
            return ::testing::AssertionFailure() << "the frame drew next to nothing";
        }
        const std::vector<uint8_t> before = shownPicture();
        const int presents = headlessPresentCount();
        presentAndClearScene();
        if (headlessPresentCount() != presents + 1) {
            return ::testing::AssertionFailure()
                   << headlessPresentCount() - presents << " host presents for one frame";
        }
        const HeadlessFrame* frame = headlessLastFrame();
        for (size_t i = 0; i < picture.size(); ++i) {
            if (frame->pixels[i] != picture[i]) {
                return ::testing::AssertionFailure()
                       << "screen byte " << i % (width * display.pixelMode) << " of row "
                       << i / (width * display.pixelMode) << " is " << int{frame->pixels[i]}
                       << ", not " << int{picture[i]};
            }
        }
        if (frame->changed != nullptr) {
            // Outside what the host was told changed, the screen is as it was.
            const size_t rowBytes = static_cast<size_t>(width) * display.pixelMode;
            std::vector<int> cover(static_cast<size_t>(width) * height, 0);
            for (int r = 0; r < frame->changedCount; ++r) {
                const RECT& rect = frame->changed[r];
                for (LONG y = rect.top; y < rect.bottom; ++y) {
                    for (LONG x = rect.left; x < rect.right; ++x) {
                        ++cover[static_cast<size_t>(y) * width + x];
                    }
                }
            }
            for (size_t i = 0; i < picture.size(); ++i) {
                const int covered = cover[i / rowBytes * width + i % rowBytes / display.pixelMode];
                if (covered > 1) {
                    return ::testing::AssertionFailure() << "changed rectangles overlap";
                }
                if (covered == 0 && (before.empty() || frame->pixels[i] != before[i])) {
                    return ::testing::AssertionFailure()
                           << "screen byte " << i % rowBytes << " of row " << i / rowBytes
                           << " changed outside the rectangles the host was told of";
                }
            }
        }
        for (size_t i = 0; i < static_cast<size_t>(display.backPitch) * height; ++i) {
            if (display.backBuffer[i] != 0) {
                return ::testing::AssertionFailure() << "back buffer byte " << i << " left over";
            }
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_P(TilePresentTest, PartialPresentsShowWhatAWholeOneWould) {
    for (int extraPitch : {0, 12}) {
        resetSystemGlobals();
        open(extraPitch);
        drawFrame(0);
        ASSERT_TRUE(presentsAsWhole()) << "the first frame, extra pitch " << extraPitch;
        const int blitsAfterFirst = blits();
        for (int frame = 1; frame < 12; ++frame) {
            drawFrame(frame);
            ASSERT_TRUE(presentsAsWhole()) << "frame " << frame << ", extra pitch " << extraPitch;
            if (frame > 1) {
                ASSERT_NE(headlessLastFrame()->changed, nullptr) << "frame " << frame;
                EXPECT_GT(headlessLastFrame()->changedCount, 0);
            }
        }
        EXPECT_EQ(blits(), blitsAfterFirst) << "later frames copy their tiles themselves";
    }
}

TEST_P(TilePresentTest, EachFallbackPresentsTheWholeFrame) {
    open(8);
    int frame = 0;
    const auto steadyFrames = [&](int count) {
        for (int i = 0; i < count; ++i) {
            drawFrame(frame++);
            ASSERT_TRUE(presentsAsWhole()) << "frame " << frame;
        }
    };
    const auto wholeFrame = [&](const char* why) {
        const int before = blits();
        drawFrame(frame++);
        ASSERT_TRUE(presentsAsWhole()) << why;
        EXPECT_EQ(blits(), before + 1) << why;
        EXPECT_EQ(headlessLastFrame()->changed, nullptr) << why;
    };
    steadyFrames(3);

    // A clip window while drawing: the area is unknown, and the next frame has no record of
    // the one before.
    setClipWindow(10, 10, 100, 60);
    sceneLine(0, 0, 150, 90, 0xFFFFFF);
    clearClipWindow();
    wholeFrame("after a clip window");
    wholeFrame("the frame after the clip window");
    steadyFrames(2);

    // Someone else presented in between.
    presentFrame();
    wholeFrame("after another presentation");
    steadyFrames(2);

    // The back buffer moved: another surface, the old one still alive so the memory differs.
    const LPDIRECTDRAWSURFACE old = display.backSurface;
    createBackBuffer();
    old->Unlock(nullptr);
    old->Release();
    wholeFrame("after the back buffer moved");
    steadyFrames(2);

    // Something drew on the screen behind the frame loop's back: gone within 64 frames.
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(display.primarySurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    std::memset(static_cast<uint8_t*>(desc.lpSurface) + (height - 10) * desc.lPitch, 0x55,
                static_cast<size_t>(desc.lPitch) * 4);
    ASSERT_EQ(display.primarySurface->Unlock(nullptr), DD_OK);
    const int before = blits();
    int waited = 0;
    for (; blits() == before && waited < 64; ++waited) {
        drawFrame(frame++);
        presentAndClearScene();
    }
    EXPECT_EQ(blits(), before + 1) << "no whole present in " << waited << " frames";
    steadyFrames(2);
}

// Parts run last first, as threads might take them: the same screen, the same black buffer.
std::vector<int32_t> partsRun;

void runPartsBackwards(TilePart job, int32_t parts) {
    for (int32_t part = parts - 1; part >= 0; --part) {
        partsRun.push_back(part);
        job(part);
    }
}

TEST_P(TilePresentTest, PartsTakenInAnyOrderShowTheSame) {
    resetSystemGlobals();
    open(4);
    setTilePartRunner(runPartsBackwards);
    partsRun.clear();
    for (int frame = 0; frame < 8; ++frame) {
        drawFrame(frame);
        ASSERT_TRUE(presentsAsWhole()) << "frame " << frame;
    }
    setTilePartRunner(nullptr);
    EXPECT_GT(partsRun.size(), 16u) << "the tile present ran in parts";
    EXPECT_NE(headlessLastFrame()->changed, nullptr);
}

// An 8x8 screen: two bands of one tile each. Its first frames, before any frame's record is
// kept, and those after, show what a whole present would and leave the buffer black.
TEST(TinyScreenTilePresent, TheFirstFramesOfAnEightByEightScreen) {
    resetSystemGlobals();
    openTestDisplay(8, 8);
    for (int frame = 0; frame < 6; ++frame) {
        sceneLine(0.5f, static_cast<float>(frame % 8), 7.5f, 7.0f - frame % 8, 0x8040C0);
        sceneDot(static_cast<float>(frame), 6.0f, 0x204080);
        const size_t rowBytes = static_cast<size_t>(8) * display.pixelMode;
        std::vector<uint8_t> picture(rowBytes * 8);
        for (int32_t y = 0; y < 8; ++y) {
            std::memcpy(picture.data() + rowBytes * y,
                        display.backBuffer + static_cast<size_t>(y) * display.backPitch, rowBytes);
        }
        presentAndClearScene();
        const HeadlessFrame* shown = headlessLastFrame();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(std::vector<uint8_t>(shown->pixels, shown->pixels + picture.size()), picture)
            << "frame " << frame;
        for (size_t i = 0; i < static_cast<size_t>(display.backPitch) * 8; ++i) {
            ASSERT_EQ(display.backBuffer[i], 0) << "frame " << frame << " byte " << i;
        }
    }
    resetSystemGlobals();
}

INSTANTIATE_TEST_SUITE_P(Depths, TilePresentTest, ::testing::Values(24, 32));

} // namespace
