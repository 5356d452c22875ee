// Partial presents: where the layer says which rectangles changed, the SDL2 host uploads only
// those, and the window must show exactly what a whole upload of every frame would, over
// drawings that move, in 24 and 32 bits, converted or uploaded as they are, fitted or scaled by
// whole numbers. On SDL's dummy driver and its software renderer, read back from the renderer.
#include "platform/host/host.h"
#include "platform/host/sdl2/sdlHost.h"
#include "platform/host/sdl2/sdlState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const int width = 203;
const int height = 98;

struct Box {
    int x;
    int y;
    int width;
    int height;
};

// Three boxes that move apart from each other, frame by frame, each in a colour of its own.
Box boxAt(int box, int frame) {
    const int step = (frame + 1) * (box + 2);
    return {box * 66 + step % 40, (step * 3 + box * 20) % (height - 20), 14 + box * 3, 11};
}

struct Picture {
    int bytesPerPixel;
    int pitch;
    std::vector<uint8_t> pixels;
};

void paint(Picture* picture, const Box& box, uint8_t shade) {
    for (int y = box.y; y < box.y + box.height; y++) {
        for (int x = box.x; x < box.x + box.width; x++) {
            uint8_t* pixel =
                &picture
                     ->pixels[static_cast<size_t>(y * picture->pitch + x * picture->bytesPerPixel)];
            pixel[0] = shade;
            pixel[1] = static_cast<uint8_t>(255 - shade);
            pixel[2] = static_cast<uint8_t>(shade / 2 + x % 100);
        }
    }
}

Box around(const Box& a, const Box& b) {
    const int left = a.x < b.x ? a.x : b.x;
    const int top = a.y < b.y ? a.y : b.y;
    const int right = a.x + a.width > b.x + b.width ? a.x + a.width : b.x + b.width;
    const int bottom = a.y + a.height > b.y + b.height ? a.y + a.height : b.y + b.height;
    return {left, top, right - left, bottom - top};
}

std::vector<uint32_t> windowContents() {
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(sdlHost.renderer, &outputWidth, &outputHeight);
    std::vector<uint32_t> contents(static_cast<size_t>(outputWidth) * outputHeight);
    EXPECT_EQ(SDL_RenderReadPixels(sdlHost.renderer, nullptr, SDL_PIXELFORMAT_RGB888,
                                   contents.data(), outputWidth * 4),
              0);
    for (uint32_t& pixel : contents) {
        pixel &= 0xFFFFFF;
    }
    return contents;
}

// Flies the frames, each presented with its changed rectangles or whole, and returns what the
// window showed after each.
std::vector<std::vector<uint32_t>> fly(int bytesPerPixel, bool partial) {
    Picture picture = {bytesPerPixel, (width * bytesPerPixel + 3) & ~3, {}};
    picture.pixels.assign(static_cast<size_t>(picture.pitch) * height, 0);
    std::vector<std::vector<uint32_t>> shown;
    for (int frame = 0; frame < 12; frame++) {
        std::vector<HostRect> changed;
        for (int box = 0; box < 3; box++) {
            const Box before = boxAt(box, frame - 1);
            const Box now = boxAt(box, frame);
            paint(&picture, before, 0);
            paint(&picture, now, static_cast<uint8_t>(60 + 70 * box + frame));
            const Box both = around(before, now);
            changed.push_back({both.x, both.y, both.width, both.height});
        }
        HostFrame hostFrame = {picture.pixels.data(),
                               width,
                               height,
                               picture.pitch,
                               bytesPerPixel,
                               nullptr,
                               partial && frame > 0 ? changed.data() : nullptr,
                               static_cast<int>(changed.size())};
        activeHost.present(&hostFrame);
        shown.push_back(windowContents());
    }
    return shown;
}

class SdlPartialPresent : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_TRUE(activeHost.openWindow());
    }
    void SetUp() override { ASSERT_TRUE(activeHost.setDisplayMode(width, height, 32)); }
    void TearDown() override {
        sdlHost.scaling = SdlScaling::fit;
        sdlAllowUploadAsIs(true);
    }
};

TEST_F(SdlPartialPresent, ShowsWhatWholePresentsWould) {
    for (SdlScaling scaling : {SdlScaling::fit, SdlScaling::integer}) {
        for (int bytesPerPixel : {3, 4}) {
            for (bool asIs : {true, false}) {
                sdlHost.scaling = scaling;
                sdlAllowUploadAsIs(asIs);
                const auto whole = fly(bytesPerPixel, false);
                const uint64_t before = sdlHost.uploadedPixels;
                const auto partial = fly(bytesPerPixel, true);
                const uint64_t uploaded = sdlHost.uploadedPixels - before;
                ASSERT_EQ(whole.size(), partial.size());
                for (size_t frame = 0; frame < whole.size(); frame++) {
                    ASSERT_TRUE(whole[frame] == partial[frame])
                        << "frame " << frame << ", " << bytesPerPixel * 8 << " bits, "
                        << (scaling == SdlScaling::fit ? "fit" : "integer")
                        << (asIs ? ", as it is" : ", converted");
                }
                EXPECT_LT(uploaded, static_cast<uint64_t>(width) * height * 3)
                    << "only the first frame whole, the rest their boxes";
            }
        }
    }
}

// At 1:1 the software renderer's window surface takes the changed rectangles, and the texture
// is left behind: once the window no longer matches the picture, the renderer's first frame
// must be the whole picture, not the texture's old one with this frame's boxes on it, even
// before the resize's event has made the next upload whole.
TEST_F(SdlPartialPresent, LeavingTheWindowSurfaceShowsTheWholePicture) {
    const Uint32 fullScreen = SDL_GetWindowFlags(sdlHost.window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(sdlHost.window, 0);
    SDL_SetWindowSize(sdlHost.window, width * 2, height * 2);
    HostEvent event;
    while (activeHost.pollEvent(&event)) {
    }
    Picture picture = {4, width * 4, {}};
    picture.pixels.assign(static_cast<size_t>(picture.pitch) * height, 0);
    HostFrame frame = {picture.pixels.data(), width, height, picture.pitch, 4, nullptr, nullptr, 0};
    activeHost.present(&frame);
    ASSERT_FALSE(sdlHost.surfaceHoldsPicture) << "twice the size is the renderer's";

    SDL_SetWindowSize(sdlHost.window, width, height);
    while (activeHost.pollEvent(&event)) {
    }
    activeHost.present(&frame);
    for (int step = 0; step < 6; step++) {
        const Box box = boxAt(step % 3, step);
        paint(&picture, box, static_cast<uint8_t>(90 + step * 20));
        const HostRect changed[1] = {{box.x, box.y, box.width, box.height}};
        frame.changed = changed;
        frame.changedCount = 1;
        activeHost.present(&frame);
    }
    ASSERT_TRUE(sdlHost.surfaceHoldsPicture) << "a software renderer at 1:1 puts the surface";

    // Presented before the resize's event is read, as when it comes between pump and present.
    SDL_SetWindowSize(sdlHost.window, width * 2, height * 2);
    const Box last = boxAt(0, 7);
    paint(&picture, last, 250);
    const HostRect changed[1] = {{last.x, last.y, last.width, last.height}};
    frame.changed = changed;
    frame.changedCount = 1;
    activeHost.present(&frame);
    EXPECT_FALSE(sdlHost.surfaceHoldsPicture);
    const auto partial = windowContents();
    frame.changed = nullptr;
    frame.changedCount = 0;
    activeHost.present(&frame);
    EXPECT_TRUE(partial == windowContents());

    SDL_SetWindowFullscreen(sdlHost.window, fullScreen);
    while (activeHost.pollEvent(&event)) {
    }
}

// Whole presents where only the host knows what changed: after an exposure, the next frame
// goes up whole even though the layer names its rectangles.
TEST_F(SdlPartialPresent, AnExposureMakesTheNextUploadWhole) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 0x40);
    const HostRect none[1] = {{0, 0, 0, 0}};
    HostFrame frame = {pixels.data(), width, height, width * 4, 4, nullptr, nullptr, 0};
    activeHost.present(&frame);
    frame.changed = none;
    frame.changedCount = 0;
    uint64_t before = sdlHost.uploadedPixels;
    activeHost.present(&frame);
    EXPECT_EQ(sdlHost.uploadedPixels, before) << "nothing changed, nothing uploaded";

    SDL_Event exposed = {};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = SDL_GetWindowID(sdlHost.window);
    SDL_PushEvent(&exposed);
    HostEvent event;
    while (activeHost.pollEvent(&event)) {
    }
    before = sdlHost.uploadedPixels;
    activeHost.present(&frame);
    EXPECT_EQ(sdlHost.uploadedPixels - before, static_cast<uint64_t>(width) * height);
}

// Every 64th upload is whole, whatever the layer says.
TEST_F(SdlPartialPresent, EverySixtyFourthUploadIsWhole) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 0x20);
    HostFrame frame = {pixels.data(), width, height, width * 4, 4, nullptr, nullptr, 0};
    activeHost.present(&frame);
    const HostRect one[1] = {{1, 1, 2, 2}};
    frame.changed = one;
    frame.changedCount = 1;
    const uint64_t before = sdlHost.uploadedPixels;
    for (int i = 0; i < 64; i++) {
        activeHost.present(&frame);
    }
    EXPECT_EQ(sdlHost.uploadedPixels - before, 63u * 4 + static_cast<uint64_t>(width) * height);
}

} // namespace
