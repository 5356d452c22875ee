#include "window/messagePump.h"

#include "colour/gammaPalettes.h"
#include "colour/paletteUpload.h"
#include "display/presentation.h"
#include "imagefile/screenshot.h"
#include "record/displayState.h"
#include "window/fatalError.h"

#include "support/headlessFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using ::testing::ExitedWithCode;

namespace {

const int32_t width = 64;
const int32_t height = 48;

class MessagePumpTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        openTestDisplay(width, height);
    }
};

// Every visible byte of every row gets a value that depends on its place.
void drawPattern(uint8_t* buffer, int32_t pitch, uint8_t seed) {
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width * display.pixelMode; x++) {
            buffer[y * pitch + x] = (uint8_t)(seed + x * 7 + y * 13);
        }
    }
}

::testing::AssertionResult holdsPattern(const uint8_t* buffer, int32_t pitch, uint8_t seed) {
    for (int32_t y = 0; y < height; y++) {
        for (int32_t x = 0; x < width * display.pixelMode; x++) {
            uint8_t expected = (uint8_t)(seed + x * 7 + y * 13);
            if (buffer[y * pitch + x] != expected) {
                return ::testing::AssertionFailure()
                       << "byte " << x << " of row " << y << " is " << (int)buffer[y * pitch + x]
                       << ", not " << (int)expected;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

void queueMinimiseAndRestore() {
    headlessQueueMinimise();
    headlessQueuePause(100);
    headlessQueueRestore();
}

TEST_F(MessagePumpTest, EmptyQueueReturnsZeroAndTouchesNoSurface) {
    LPDIRECTDRAWSURFACE back = display.backSurface;
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_EQ(display.backSurface, back);
    EXPECT_EQ(headlessCallCount("CreateSurface"), 2);
}

TEST_F(MessagePumpTest, KeyboardSnapshotIsTakenBeforeTheMessagesOfTheCall) {
    headlessQueueKeyDown('Q');
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_EQ(keyState['Q'] & 0x80, 0);
    headlessQueueKeyUp('Q');
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_EQ(keyState['Q'] & 0x80, 0x80);
    EXPECT_EQ(previousKeyState['Q'] & 0x80, 0);
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_EQ(keyState['Q'] & 0x80, 0);
    EXPECT_EQ(previousKeyState['Q'] & 0x80, 0x80);
}

TEST_F(MessagePumpTest, DispatchesMouseMessagesToTheWindowProcedure) {
    headlessQueueMouseMoveTo(40, 30, MK_LBUTTON);
    pumpMessages();
    EXPECT_EQ(mouseX, 40);
    EXPECT_EQ(mouseY, 30);
    EXPECT_EQ(mouseButtons, 0) << "a button held from the start is ignored";
    headlessQueueButtonUp(MK_LBUTTON);
    headlessQueueButtonDown(MK_LBUTTON);
    pumpMessages();
    EXPECT_EQ(mouseButtons, 1);
    headlessQueueButtonDown(MK_RBUTTON);
    pumpMessages();
    EXPECT_EQ(mouseButtons, 3);
}

TEST_F(MessagePumpTest, QuitReleasesTheDisplayAndIsReported) {
    headlessQueueQuit();
    EXPECT_EQ(pumpMessages(), 1);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
    EXPECT_EQ(display.directDraw, nullptr);
    EXPECT_EQ(display.primarySurface, nullptr);
    EXPECT_EQ(display.backSurface, nullptr);
    EXPECT_EQ(display.backBuffer, nullptr);
}

// After the quit nothing released is touched again and the minimised window is not waited
// out: the pump returns although no restore ever comes.
TEST_F(MessagePumpTest, QuitWhileMinimisedReturnsWithoutRebuilding) {
    headlessQueueMinimise();
    headlessQueuePause(100);
    headlessQueueQuit();
    EXPECT_EQ(pumpMessages(), 1);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
    EXPECT_EQ(headlessCallCount("CreateSurface"), 2) << "nothing was rebuilt";
    EXPECT_EQ(headlessCallCount("DirectDrawCreate"), 1);
}

TEST_F(MessagePumpTest, QuitAndMinimiseInTheSameCallLeaveNothingAlive) {
    headlessQueueQuit();
    headlessQueueMinimise();
    EXPECT_EQ(pumpMessages(), 1);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
    EXPECT_EQ(headlessCallCount("DirectDrawCreate"), 1);
}

TEST_F(MessagePumpTest, CloseMessageDestroysTheWindowAndExitsWithStatusZero) {
    headlessQueueClose();
    EXPECT_EXIT(pumpMessages(), ExitedWithCode(0), "");
}

TEST_F(MessagePumpTest, MinimiseRequestMinimisesTheWindowOnce) {
    minimiseRequested = 1;
    headlessQueuePause(100);
    headlessQueueRestore();
    drawPattern(display.backBuffer, display.backPitch, 3);
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_EQ(minimiseRequested, 0);
    EXPECT_EQ(headlessMinimiseCount(), 1);
    EXPECT_TRUE(holdsPattern(display.backBuffer, display.backPitch, 3));
}

TEST_F(MessagePumpTest, MinimiseAndRestoreKeepTheBackBuffer) {
    drawPattern(display.backBuffer, display.backPitch, 11);
    queueMinimiseAndRestore();
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_EQ(headlessCallCount("DirectDrawCreate"), 2);
    EXPECT_EQ(headlessCallCount("CreateSurface"), 4) << "new primary and new back buffer";
    EXPECT_EQ(display.pixelMode, 3);
    ASSERT_NE(display.backBuffer, nullptr);
    EXPECT_TRUE(holdsPattern(display.backBuffer, display.backPitch, 11));
    EXPECT_EQ(headlessLiveObjectCount(), 3) << "DirectDraw object, primary, back buffer";
    EXPECT_EQ(display.layerSurface, nullptr) << "no layer where there was none";
}

TEST_F(MessagePumpTest, MinimiseAndRestoreKeepTheLayerAndTheBackBuffer) {
    releaseDisplayObjects();
    openDisplayTrueColour();
    createBackAndLayer();
    drawPattern(display.backBuffer, display.backPitch, 21);
    drawPattern(display.layerBuffer, display.layerPitch, 77);
    queueMinimiseAndRestore();
    EXPECT_EQ(pumpMessages(), 0);
    ASSERT_NE(display.layerSurface, nullptr);
    EXPECT_TRUE(holdsPattern(display.backBuffer, display.backPitch, 21));
    EXPECT_TRUE(holdsPattern(display.layerBuffer, display.layerPitch, 77));
    EXPECT_EQ(headlessLiveObjectCount(), 4);
}

// The restore's surfaces may be laid out differently: each row keeps its visible bytes, and
// no more than the kept block is read (AddressSanitizer watches that).
TEST_F(MessagePumpTest, RestoreWithWiderPitchKeepsEveryRow) {
    int32_t oldPitch = display.backPitch;
    drawPattern(display.backBuffer, display.backPitch, 5);
    headlessSetExtraPitch(24);
    queueMinimiseAndRestore();
    pumpMessages();
    EXPECT_GT(display.backPitch, oldPitch);
    EXPECT_TRUE(holdsPattern(display.backBuffer, display.backPitch, 5));
}

TEST(MessagePumpPitchTest, RestoreWithNarrowerPitchKeepsEveryRow) {
    resetSystemGlobals();
    headlessSetExtraPitch(24);
    openTestDisplay(width, height);
    int32_t oldPitch = display.backPitch;
    drawPattern(display.backBuffer, display.backPitch, 9);
    headlessSetExtraPitch(0);
    queueMinimiseAndRestore();
    pumpMessages();
    EXPECT_LT(display.backPitch, oldPitch);
    EXPECT_TRUE(holdsPattern(display.backBuffer, display.backPitch, 9));
    resetSystemGlobals();
}

TEST(MessagePumpNoDisplayTest, MinimiseBeforeTheDisplayIsOpenOpensNoDisplay) {
    resetSystemGlobals();
    createTestWindow(width, height);
    queueMinimiseAndRestore();
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_EQ(headlessCallCount("DirectDrawCreate"), 0);
    EXPECT_EQ(display.directDraw, nullptr);
    resetSystemGlobals();
}

TEST_F(MessagePumpTest, RestoreMayFallBackToThirtyTwoBits) {
    drawPattern(display.backBuffer, display.backPitch, 1);
    headlessRefuseDepth(24);
    queueMinimiseAndRestore();
    pumpMessages();
    EXPECT_EQ(display.pixelMode, 4);
    EXPECT_EQ(headlessMessageBoxCount(), 0);
    EXPECT_GE(display.backPitch, width * 4);
}

TEST_F(MessagePumpTest, ThousandMinimiseRestoreCyclesKeepThePictureAndLeakNothing) {
    drawPattern(display.backBuffer, display.backPitch, 42);
    int live = headlessLiveObjectCount();
    for (int cycle = 0; cycle < 1000; cycle++) {
        queueMinimiseAndRestore();
        ASSERT_EQ(pumpMessages(), 0) << "cycle " << cycle;
        ASSERT_EQ(headlessLiveObjectCount(), live) << "cycle " << cycle;
        if (cycle % 100 == 99) {
            ASSERT_TRUE(holdsPattern(display.backBuffer, display.backPitch, 42))
                << "cycle " << cycle;
        }
    }
    EXPECT_TRUE(holdsPattern(display.backBuffer, display.backPitch, 42));
    EXPECT_EQ(headlessCallCount("DirectDrawCreate"), 1001);
}

TEST_F(MessagePumpTest, FailureDuringTheRestoreReleasesOnlyLiveObjects) {
    headlessFailCall("CreateSurface", 2, DDERR_OUTOFMEMORY);
    queueMinimiseAndRestore();
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            pumpMessages();
        },
        ExitedWithCode(1), "DirectDraw error 8007000E @ 7\n.*live 0\n");
}

TEST_F(MessagePumpTest, RestoreThatCanSetNoDepthEndsAtSite2403) {
    headlessRefuseDepth(24);
    headlessRefuseDepth(32);
    queueMinimiseAndRestore();
    EXPECT_EXIT(pumpMessages(), ExitedWithCode(1), "DirectDraw error 88760078 @ 2403");
}

TEST_F(MessagePumpTest, PaletteSaveFailureEndsAtSite16) {
    resetSystemGlobals();
    openTestDisplay8Bit(width, height);
    headlessFailCall("GetEntries", 1, DDERR_GENERIC);
    queueMinimiseAndRestore();
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            pumpMessages();
        },
        ExitedWithCode(1), "DirectDraw error 80004005 @ 16\n.*live 0\n");
}

TEST_F(MessagePumpTest, QuitInEightBitReleasesThePaletteObjectToo) {
    resetSystemGlobals();
    openTestDisplay8Bit(width, height);
    headlessQueueQuit();
    EXPECT_EQ(pumpMessages(), 1);
    EXPECT_EQ(display.paletteObject, nullptr);
    EXPECT_EQ(headlessLiveObjectCount(), 0);
}

class EightBitPumpTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        openTestDisplay8Bit(width, height);
    }
};

bool samePalette(const PALETTEENTRY* a, const PALETTEENTRY* b) {
    return std::memcmp(a, b, 256 * sizeof(PALETTEENTRY)) == 0;
}

TEST_F(EightBitPumpTest, RestoreShowsThePaletteOfBeforeAndKeepsThePicture) {
    setHuePalette(1.5f);
    setPaletteEntry(200, 1, 2, 3);
    std::vector<PALETTEENTRY> shown(headlessScreenPalette(), headlessScreenPalette() + 256);
    // Not the default palette the restore's set-up rebuilds (whose entry 8 is black).
    ASSERT_NE(shown[8].peRed, 0);
    drawPattern(display.backBuffer, display.backPitch, 9);

    queueMinimiseAndRestore();
    EXPECT_EQ(pumpMessages(), 0);

    EXPECT_EQ(display.pixelMode, 1);
    EXPECT_EQ(headlessDisplayMode().bitsPerPixel, 8);
    EXPECT_TRUE(samePalette(headlessScreenPalette(), shown.data()));
    PALETTEENTRY inObject[256];
    ASSERT_EQ(display.paletteObject->GetEntries(0, 0, 256, inObject), DD_OK);
    EXPECT_TRUE(samePalette(inObject, shown.data()));
    EXPECT_TRUE(holdsPattern(display.backBuffer, display.backPitch, 9));
    // The back buffer shows through the restored palette too.
    presentFrame();
    ASSERT_NE(headlessLastFrame(), nullptr);
    EXPECT_EQ(headlessLastFrame()->bytesPerPixel, 1);
    EXPECT_TRUE(samePalette(headlessLastFrame()->palette, shown.data()));
}

// The restore's set-up rebuilds the default palette into the program's copy; the copy must
// come back to the palette of before too, or translation tables and screenshots go wrong.
TEST_F(EightBitPumpTest, RestoreGivesTheProgramsCopyAndScreenshotsThePaletteOfBefore) {
    setHuePalette(0.7f);
    setPaletteEntry(3, 250, 5, 100);
    std::vector<PALETTEENTRY> before(display.palette, display.palette + 256);

    queueMinimiseAndRestore();
    EXPECT_EQ(pumpMessages(), 0);

    const std::string path = ::testing::TempDir() + "quarnel_restored_palette.bmp";
    ASSERT_EQ(writeScreenshot(path.c_str()), 1);
    std::vector<uint8_t> file(54 + 1024);
    FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    ASSERT_EQ(std::fread(file.data(), 1, file.size(), in), file.size());
    std::fclose(in);
    std::remove(path.c_str());
    PALETTEENTRY inObject[256];
    ASSERT_EQ(display.paletteObject->GetEntries(0, 0, 256, inObject), DD_OK);
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = before[static_cast<size_t>(i)];
        EXPECT_EQ(std::memcmp(&display.palette[i], &e, sizeof e), 0) << "program's copy " << i;
        EXPECT_EQ(std::memcmp(&inObject[i], &e, sizeof e), 0) << "palette object " << i;
        EXPECT_EQ(std::memcmp(&headlessScreenPalette()[i], &e, sizeof e), 0) << "screen " << i;
        const uint8_t* bgr = &file[54 + 4 * static_cast<size_t>(i)];
        EXPECT_TRUE(bgr[0] == e.peBlue && bgr[1] == e.peGreen && bgr[2] == e.peRed)
            << "screenshot " << i;
    }
}

TEST_F(EightBitPumpTest, RepeatedRestoresLeakNothing) {
    int live = headlessLiveObjectCount();
    for (int cycle = 0; cycle < 50; cycle++) {
        queueMinimiseAndRestore();
        ASSERT_EQ(pumpMessages(), 0);
        ASSERT_EQ(headlessLiveObjectCount(), live) << "cycle " << cycle;
    }
}

TEST_F(EightBitPumpTest, PaletteRestoreFailureEndsAtSite17) {
    // The restore's own set-up uploads nothing: the first SetEntries after the minimise is the
    // palette restore.
    headlessFailCall("SetEntries", 1, DDERR_GENERIC);
    queueMinimiseAndRestore();
    EXPECT_EXIT(
        {
            std::atexit(reportFatalAftermath);
            pumpMessages();
        },
        ExitedWithCode(1), "DirectDraw error 80004005 @ 17\n.*live 0\n");
}

} // namespace
