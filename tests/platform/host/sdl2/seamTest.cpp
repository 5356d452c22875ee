// The SDL2 host through its seam record, on SDL's dummy driver (a 1024 x 768 desktop, a
// software renderer, events pushed by the test).
#include "platform/host/host.h"
#include "platform/host/sdl2/sdlHost.h"
#include "platform/host/sdl2/sdlState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class SdlHostSeam : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_TRUE(activeHost.openWindow());
        ASSERT_NE(sdlHost.window, nullptr);
    }

    void SetUp() override {
        ASSERT_NE(sdlHost.window, nullptr);
        activeHost.showCursor(false);
        ASSERT_TRUE(activeHost.setDisplayMode(800, 600, 32));
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        sdlHost.modifiersHeld = 0;
        sdlHost.paletteKnown = false;
    }

    static std::vector<HostEvent> drain() {
        std::vector<HostEvent> events;
        HostEvent event;
        while (activeHost.pollEvent(&event)) {
            events.push_back(event);
        }
        return events;
    }

    static void pushKey(SDL_Keycode key, bool down) {
        SDL_Event event = {};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }

    static void pushButton(Uint8 button, bool down) {
        SDL_Event event = {};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = button;
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        SDL_PushEvent(&event);
    }

    static void pushMotion(int x, int y, int xrel, int yrel, Uint32 state) {
        SDL_Event event = {};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        event.motion.xrel = xrel;
        event.motion.yrel = yrel;
        event.motion.state = state;
        SDL_PushEvent(&event);
    }

    static void pushWindowEvent(Uint8 kind) {
        SDL_Event event = {};
        event.type = SDL_WINDOWEVENT;
        event.window.event = kind;
        SDL_PushEvent(&event);
    }

    // The renderer's pixel at a window point, as 0x00RRGGBB.
    static uint32_t screenPixel(int x, int y) {
        SDL_Rect point = {x, y, 1, 1};
        uint32_t pixel = 0;
        EXPECT_EQ(SDL_RenderReadPixels(sdlHost.renderer, &point, SDL_PIXELFORMAT_RGB888, &pixel, 4),
                  0);
        return pixel & 0xFFFFFF;
    }

    static void presentFilled(int width, int height, int bytesPerPixel, const uint8_t* value,
                              const HostPaletteEntry* palette) {
        int pitch = (width * bytesPerPixel + 3) & ~3;
        std::vector<uint8_t> pixels(static_cast<size_t>(pitch * height));
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                std::memcpy(&pixels[static_cast<size_t>(y * pitch + x * bytesPerPixel)], value,
                            static_cast<size_t>(bytesPerPixel));
            }
        }
        HostFrame frame = {pixels.data(), width, height, pitch, bytesPerPixel, palette, nullptr, 0};
        activeHost.present(&frame);
    }
};

TEST(SdlHostRecord, EverySlotIsFilled) {
    EXPECT_TRUE(everyHostSlotFilled(activeHost));
    EXPECT_STREQ(activeHost.name, "sdl2");
}

TEST_F(SdlHostSeam, OneFullScreenWindowTitledByTheProgram) {
    SDL_Window* window = sdlHost.window;
    EXPECT_STREQ(activeHost.name, "sdl2");
    EXPECT_TRUE(activeHost.openWindow()); // a second window: the same one
    EXPECT_EQ(sdlHost.window, window);
    EXPECT_EQ(activeHost.injectedResult("IDirectDraw::CreateSurface"), 0);
    activeHost.windowCreated("Quarnel [Orrinvale 2002]", 800, 600);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Quarnel [Orrinvale 2002]");
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
}

TEST_F(SdlHostSeam, EveryDepthIsTakenUpToTheTextureLimit) {
    for (int depth : {8, 16, 24, 32}) {
        EXPECT_TRUE(activeHost.setDisplayMode(640, 480, depth)) << depth;
    }
    EXPECT_TRUE(activeHost.setDisplayMode(1, 1, 32));
    int savedWidth = sdlHost.maxTextureWidth;
    sdlHost.maxTextureWidth = 2048;
    EXPECT_FALSE(activeHost.setDisplayMode(2049, 480, 32));
    EXPECT_TRUE(activeHost.setDisplayMode(2048, 480, 32));
    sdlHost.maxTextureWidth = savedWidth;
    EXPECT_EQ(sdlHost.pictureWidth, 2048);
    EXPECT_EQ(sdlHost.pictureHeight, 480);
}

TEST_F(SdlHostSeam, PresentsLetterboxedAtEveryDepth) {
    // 800 x 400 in 1024 x 768: 1.28 times, bars of 128 points above and below.
    const uint8_t bgrx[4] = {0x99, 0x66, 0x33, 0xFF};
    presentFilled(800, 400, 4, bgrx, nullptr);
    EXPECT_EQ(screenPixel(512, 60), 0x000000u);
    EXPECT_EQ(screenPixel(512, 700), 0x000000u);
    EXPECT_EQ(screenPixel(512, 384), 0x336699u);
    EXPECT_EQ(screenPixel(0, 130), 0x336699u);
    EXPECT_EQ(screenPixel(1023, 637), 0x336699u);
    EXPECT_EQ(sdlHost.pictureWidth, 800);
    EXPECT_EQ(sdlHost.pictureHeight, 400);

    const uint8_t bgr[3] = {0x10, 0x20, 0x30};
    presentFilled(640, 480, 3, bgr, nullptr); // same aspect as the window: no bars
    EXPECT_EQ(screenPixel(2, 2), 0x302010u);
    EXPECT_EQ(sdlHost.textureWidth, 640);

    const uint8_t red565[2] = {0x00, 0xF8};
    presentFilled(320, 240, 2, red565, nullptr);
    EXPECT_EQ(screenPixel(512, 384), 0xFF0000u);

    HostPaletteEntry palette[256] = {};
    palette[5] = {0x80, 0x40, 0x20, 4};
    const uint8_t index = 5;
    presentFilled(320, 240, 1, &index, palette);
    EXPECT_EQ(screenPixel(512, 384), 0x804020u);
    // No palette with the frame: the one given to the visible surface last.
    HostPaletteEntry changed[256] = {};
    changed[5] = {0x01, 0x02, 0x03, 4};
    activeHost.paletteChanged(changed);
    presentFilled(320, 240, 1, &index, nullptr);
    EXPECT_EQ(screenPixel(512, 384), 0x010203u);
}

TEST_F(SdlHostSeam, APaletteChangeAloneRecoloursAnEightBitPicture) {
    HostPaletteEntry palette[256] = {};
    palette[9] = {0x11, 0x22, 0x33, 4};
    const uint8_t index = 9;
    presentFilled(640, 480, 1, &index, palette);
    EXPECT_EQ(screenPixel(512, 384), 0x112233u);
    palette[9] = {0xAA, 0xBB, 0xCC, 4};
    activeHost.paletteChanged(palette); // no present: the screen follows all the same
    EXPECT_EQ(screenPixel(512, 384), 0xAABBCCu);
    EXPECT_EQ(screenPixel(0, 0), 0xAABBCCu);

    // A true-colour picture is not touched by a palette.
    const uint8_t bgrx[4] = {0x01, 0x02, 0x03, 0};
    presentFilled(640, 480, 4, bgrx, nullptr);
    palette[9] = {0xFF, 0xFF, 0xFF, 4};
    activeHost.paletteChanged(palette);
    EXPECT_EQ(screenPixel(512, 384), 0x030201u);
}

TEST_F(SdlHostSeam, NothingToPresentIsIgnored) {
    activeHost.present(nullptr);
    HostFrame empty = {nullptr, 800, 600, 3200, 4, nullptr, nullptr, 0};
    activeHost.present(&empty);
    const uint8_t pixel[4] = {};
    HostFrame flat = {pixel, 0, 0, 4, 4, nullptr, nullptr, 0};
    activeHost.present(&flat);
    EXPECT_EQ(sdlHost.pictureWidth, 800); // still the display mode's
}

TEST_F(SdlHostSeam, KeysBecomeVirtualKeyCodes) {
    pushKey(SDLK_a, true);
    pushKey(SDLK_MUTE, true); // no Windows code: dropped
    pushKey(SDLK_a, false);
    pushKey(SDLK_ESCAPE, true);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, HostEventKind::keyDown);
    EXPECT_EQ(events[0].key, uint32_t('A'));
    EXPECT_EQ(events[1].kind, HostEventKind::keyUp);
    EXPECT_EQ(events[1].key, uint32_t('A'));
    EXPECT_EQ(events[2].kind, HostEventKind::keyDown);
    EXPECT_EQ(events[2].key, 0x1Bu);
}

TEST_F(SdlHostSeam, AModifierIsUpWhenBothHalvesAre) {
    pushKey(SDLK_LSHIFT, true);
    pushKey(SDLK_RSHIFT, true);
    pushKey(SDLK_LSHIFT, false); // the right half still holds shift
    pushKey(SDLK_LCTRL, true);
    pushKey(SDLK_RSHIFT, false);
    pushKey(SDLK_LCTRL, false);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].kind, HostEventKind::keyDown);
    EXPECT_EQ(events[0].key, 0x10u);
    EXPECT_EQ(events[1].kind, HostEventKind::keyDown);
    EXPECT_EQ(events[1].key, 0x10u);
    EXPECT_EQ(events[2].kind, HostEventKind::keyDown);
    EXPECT_EQ(events[2].key, 0x11u);
    EXPECT_EQ(events[3].kind, HostEventKind::keyUp);
    EXPECT_EQ(events[3].key, 0x10u);
    EXPECT_EQ(events[4].kind, HostEventKind::keyUp);
    EXPECT_EQ(events[4].key, 0x11u);
}

TEST_F(SdlHostSeam, LeftAndRightButtonsOnly) {
    pushButton(SDL_BUTTON_LEFT, true);
    pushButton(SDL_BUTTON_MIDDLE, true);
    pushButton(SDL_BUTTON_RIGHT, true);
    pushButton(SDL_BUTTON_LEFT, false);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, HostEventKind::buttonDown);
    EXPECT_EQ(events[0].buttons, 1u);
    EXPECT_EQ(events[1].kind, HostEventKind::buttonDown);
    EXPECT_EQ(events[1].buttons, 2u);
    EXPECT_EQ(events[2].kind, HostEventKind::buttonUp);
    EXPECT_EQ(events[2].buttons, 1u);
}

TEST_F(SdlHostSeam, WindowStateAndClosing) {
    pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    pushWindowEvent(SDL_WINDOWEVENT_EXPOSED); // nothing the layer needs
    pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit = {};
    quit.type = SDL_QUIT; // an interrupt: the window is asked to close too
    SDL_PushEvent(&quit);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, HostEventKind::minimise);
    EXPECT_EQ(events[1].kind, HostEventKind::restore);
    EXPECT_EQ(events[2].kind, HostEventKind::close);
    EXPECT_EQ(events[3].kind, HostEventKind::close);

    // Hidden (unmapped) is unseen too: the program suspends as when minimised.
    pushWindowEvent(SDL_WINDOWEVENT_HIDDEN);
    pushWindowEvent(SDL_WINDOWEVENT_SHOWN);
    events = drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, HostEventKind::minimise);
    EXPECT_EQ(events[1].kind, HostEventKind::restore);
}

TEST_F(SdlHostSeam, HiddenCursorSteersWithScaledOffsets) {
    if (!sdlHost.relativeMouse) {
        GTEST_SKIP() << "this SDL has no relative mode on its dummy driver";
    }
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    // 800 x 600 shown on 1024 x 768: a window point is 0.78125 of a display pixel.
    pushMotion(0, 0, 100, -10, SDL_BUTTON_LMASK);
    pushMotion(0, 0, 7, 0, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK);
    pushMotion(0, 0, 0, -1, 0); // with the earlier -0.8125: a whole pixel
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, HostEventKind::mouseMoveBy);
    EXPECT_EQ(events[0].x, 78);
    EXPECT_EQ(events[0].y, -7);
    EXPECT_EQ(events[0].buttons, 1u);
    EXPECT_EQ(events[1].x, 5); // 0.125 + 5.46875
    EXPECT_EQ(events[1].y, 0);
    EXPECT_EQ(events[1].buttons, 3u);
    EXPECT_EQ(events[2].x, 0);
    EXPECT_EQ(events[2].y, -1);
    EXPECT_EQ(events[2].buttons, 0u);
}

TEST_F(SdlHostSeam, MotionBelowADisplayPixelWaits) {
    if (!sdlHost.relativeMouse) {
        GTEST_SKIP() << "this SDL has no relative mode on its dummy driver";
    }
    ASSERT_TRUE(activeHost.setDisplayMode(100, 75, 32)); // a window point is a tenth of a pixel
    for (int i = 0; i < 9; i++) {
        pushMotion(0, 0, 1, 0, 0);
    }
    EXPECT_TRUE(drain().empty());
    pushMotion(0, 0, 2, 0, 0);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].x, 1);
    // Relative motion needs no warp: the program's cursor is moved by the offsets.
    activeHost.warpCursor(50, 37);
    EXPECT_TRUE(drain().empty());
}

TEST_F(SdlHostSeam, VisibleCursorMovesThroughTheLetterbox) {
    activeHost.showCursor(true);
    EXPECT_FALSE(sdlHost.relativeMouse);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    ASSERT_TRUE(activeHost.setDisplayMode(800, 400, 32)); // bars of 128 points above and below
    pushMotion(512, 384, 5, 5, SDL_BUTTON_RMASK);
    pushMotion(0, 128, 0, 0, 0);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, HostEventKind::mouseMoveTo);
    EXPECT_EQ(events[0].x, 400);
    EXPECT_EQ(events[0].y, 200);
    EXPECT_EQ(events[0].buttons, 2u);
    EXPECT_EQ(events[1].x, 0);
    EXPECT_EQ(events[1].y, 0);
}

TEST_F(SdlHostSeam, AWarpComesBackAsTheProgramsOwnPoint) {
    activeHost.showCursor(true);
    ASSERT_TRUE(activeHost.setDisplayMode(1000, 700, 32)); // a scale that rounds
    activeHost.warpCursor(333, 211);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, HostEventKind::mouseMoveTo);
    EXPECT_EQ(events[0].x, 333);
    EXPECT_EQ(events[0].y, 211);
    EXPECT_FALSE(sdlHost.warpEchoPending);
}

TEST_F(SdlHostSeam, MessageBoxesNeverWaitWithoutADisplay) {
    uint32_t before = activeHost.tickCount();
    EXPECT_EQ(activeHost.messageBox("DirectDraw error 88760078 @ 2403", "Oh sod it", 0x10), 1);
    EXPECT_LT(activeHost.tickCount() - before, 1000u);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE); // the cursor's state is kept
}

TEST_F(SdlHostSeam, ClockCommandLineAndSmallCalls) {
    uint32_t before = activeHost.tickCount();
    activeHost.sleep(20);
    EXPECT_GE(activeHost.tickCount() - before, 20u);
    std::string commandLine = activeHost.commandLine();
    EXPECT_NE(commandLine.find("test_sdl2Host"), std::string::npos) << commandLine;
    activeHost.keyboardRead();
    HostSurfaceFormat format = {0xF800, 0x07E0, 0x001F, 0};
    activeHost.surfaceFormat(16, &format);
    EXPECT_EQ(format.greenMask, 0x07E0u); // the layer's 5-6-5 is what the upload converts
    EXPECT_EQ(format.pitchPadding, 0);
    activeHost.minimiseWindow();
}

TEST_F(SdlHostSeam, IntegerScalingShowsWholeSharpPixelsCentred) {
    sdlHost.scaling = SdlScaling::integer;
    // 300 x 200 three times over in 1024 x 768: 900 x 600 at 62, 84. Columns alternate between
    // two colours, which nearest sampling keeps apart.
    const int width = 300;
    const int height = 200;
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height * 4));
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            uint8_t* pixel = &pixels[static_cast<size_t>((y * width + x) * 4)];
            pixel[0] = x % 2 ? 0xFF : 0x00;
            pixel[1] = 0x80;
            pixel[2] = x % 2 ? 0x00 : 0xFF;
        }
    }
    HostFrame frame = {pixels.data(), width, height, width * 4, 4, nullptr, nullptr, 0};
    activeHost.present(&frame);
    sdlHost.scaling = SdlScaling::fit;
    EXPECT_EQ(screenPixel(61, 384), 0x000000u);
    EXPECT_EQ(screenPixel(962, 384), 0x000000u);
    EXPECT_EQ(screenPixel(512, 83), 0x000000u);
    EXPECT_EQ(screenPixel(512, 684), 0x000000u);
    for (int x = 62; x < 62 + 12; x++) {
        EXPECT_EQ(screenPixel(x, 84), (x - 62) / 3 % 2 ? 0x0080FFu : 0xFF8000u) << x;
    }
    EXPECT_EQ(screenPixel(961, 683), 0x0080FFu);
    // The mouse lands on the pixel it points at.
    activeHost.showCursor(true);
    pushMotion(62 + 3 * 150 + 2, 84 + 3 * 100, 0, 0, 0);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].x, 150);
    EXPECT_EQ(events[0].y, 100);
}

TEST_F(SdlHostSeam, AltEnterTogglesAWindowKeepingPictureAndPalette) {
    HostPaletteEntry palette[256] = {};
    palette[7] = {0x12, 0x34, 0x56, 4};
    const uint8_t index = 7;
    presentFilled(800, 600, 1, &index, palette);
    auto pushAltEnter = [](bool down) {
        SDL_Event event = {};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = SDLK_RETURN;
        event.key.keysym.mod = KMOD_LALT;
        SDL_PushEvent(&event);
    };
    pushKey(SDLK_LALT, true);
    pushAltEnter(true);
    pushAltEnter(false);
    std::vector<HostEvent> events = drain();
    ASSERT_EQ(events.size(), 1u); // the program sees Alt, never that Enter
    EXPECT_EQ(events[0].kind, HostEventKind::keyDown);
    EXPECT_TRUE(sdlHost.windowed);
    EXPECT_EQ(SDL_GetWindowFlags(sdlHost.window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdlHost.window, &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(screenPixel(400, 300), 0x123456u); // shown again at once, in its palette

    pushAltEnter(true);
    drain();
    EXPECT_FALSE(sdlHost.windowed);
    EXPECT_NE(SDL_GetWindowFlags(sdlHost.window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    SDL_GetWindowSize(sdlHost.window, &width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    EXPECT_EQ(screenPixel(512, 384), 0x123456u);
    EXPECT_EQ(sdlHost.pictureWidth, 800);
    EXPECT_FALSE(sdlHost.cursorVisible); // the steering mode as it was
    pushKey(SDLK_LALT, false);
    drain();
}

TEST_F(SdlHostSeam, TrueColourGoesUpWithoutConversionWhereTheRendererTakesIt) {
    const uint8_t bgrx[4] = {0x01, 0x02, 0x03, 0x00};
    presentFilled(64, 48, 4, bgrx, nullptr);
    EXPECT_EQ(sdlHost.textureFormat, static_cast<Uint32>(SDL_PIXELFORMAT_RGB888));
    const uint8_t bgr[3] = {0x04, 0x05, 0x06};
    presentFilled(64, 48, 3, bgr, nullptr);
    EXPECT_EQ(sdlHost.textureFormat, sdlHost.takesBgr24
                                         ? static_cast<Uint32>(SDL_PIXELFORMAT_BGR24)
                                         : static_cast<Uint32>(SDL_PIXELFORMAT_RGB888));
    EXPECT_EQ(screenPixel(512, 384), 0x060504u);
    EXPECT_TRUE(sdlHost.takesRgb888);
    EXPECT_TRUE(sdlUploadsAsIs(4));
    EXPECT_FALSE(sdlUploadsAsIs(1));
    EXPECT_FALSE(sdlUploadsAsIs(2));
    // Converted instead, the same picture.
    sdlAllowUploadAsIs(false);
    EXPECT_FALSE(sdlUploadsAsIs(4));
    const uint8_t bgrx2[4] = {0x07, 0x08, 0x09, 0xFF};
    presentFilled(64, 48, 4, bgrx2, nullptr);
    sdlAllowUploadAsIs(true);
    EXPECT_EQ(screenPixel(512, 384), 0x090807u);
}

} // namespace
