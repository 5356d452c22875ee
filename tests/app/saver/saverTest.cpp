// The screensaver modes on the headless host: the hack's options and its way out on SIGTERM,
// the input that ends a full-screen saver, and the preferences in the application-data folder.
#include "app/appMain.h"
#include "app/frameClock.h"
#include "app/framePacing.h"
#include "app/inputWatch.h"
#include "app/preferences.h"
#include "app/programOptions.h"
#include "app/saver/saverMode.h"
#include "app/terminationSignal.h"
#include "platform/host/headless/headlessHost.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "window/inputState.h"
#include "window/mainWindow.h"
#include "window/messagePump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void resetApplication() {
    headlessReset();
    std::memset(&display, 0, sizeof display);
    std::memset(&camera, 0, sizeof camera);
    mainWindow = nullptr;
    mouseX = mouseY = 0;
    lastMouseButtons = 0;
    buttonsBlocked = 1;
    mouseButtons = 0;
    std::memset(keyState, 0, sizeof keyState);
    std::memset(previousKeyState, 0, sizeof previousKeyState);
    minimiseRequested = 0;
}

std::string fileText(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(PersonActed, KeysHeldAtTheStartCountOnlyOncePressedAgain) {
    std::memset(keyState, 0, sizeof keyState);
    keyState['A'] = 0x80;
    mouseX = 400;
    mouseY = 300;
    lastMouseButtons = 0;
    startInputWatch();
    EXPECT_FALSE(personActed(20));
    keyState['A'] = 0x01; // let go (a toggle bit is no press)
    EXPECT_FALSE(personActed(21));
    keyState['A'] = 0x80;
    EXPECT_TRUE(personActed(22));
    std::memset(keyState, 0, sizeof keyState);
}

TEST(PersonActed, AKeyPressedWhileSettlingCounts) {
    std::memset(keyState, 0, sizeof keyState);
    startInputWatch();
    EXPECT_FALSE(personActed(1));
    keyState[VK_SPACE] = 0x80;
    EXPECT_TRUE(personActed(2));
    std::memset(keyState, 0, sizeof keyState);
}

TEST(PersonActed, TheMouseSettlesThenMayStrayAFewPixels) {
    std::memset(keyState, 0, sizeof keyState);
    lastMouseButtons = 0;
    mouseX = 400;
    mouseY = 300;
    startInputWatch();
    // A late warp or a mode change moves it while settling: that becomes where it rests.
    mouseX = 10;
    mouseY = 700;
    EXPECT_FALSE(personActed(saverSettleFrames));
    mouseX = 10 + saverMouseSlack;
    mouseY = 700 - saverMouseSlack;
    EXPECT_FALSE(personActed(saverSettleFrames + 1));
    mouseY = 700 - saverMouseSlack - 1;
    EXPECT_TRUE(personActed(saverSettleFrames + 2));
    mouseY = 700;
    mouseX = 10 + saverMouseSlack + 1;
    EXPECT_TRUE(personActed(saverSettleFrames + 3));
}

TEST(PersonActed, AnyButtonAfterSettling) {
    std::memset(keyState, 0, sizeof keyState);
    mouseX = mouseY = 0;
    lastMouseButtons = 2;
    startInputWatch();
    EXPECT_FALSE(personActed(1));
    EXPECT_TRUE(personActed(saverSettleFrames + 1));
    lastMouseButtons = 0;
    EXPECT_FALSE(personActed(saverSettleFrames + 2));
}

TEST(SaverPreferences, ValidRanges) {
    EXPECT_TRUE(validPreferences(1, 1, 0));
    EXPECT_TRUE(validPreferences(16384, 16384, 1000));
    EXPECT_FALSE(validPreferences(0, 600, 20));
    EXPECT_FALSE(validPreferences(800, 16385, 20));
    EXPECT_FALSE(validPreferences(800, 600, -0.5f));
    EXPECT_FALSE(validPreferences(800, 600, 1000.5f));
    EXPECT_FALSE(validPreferences(800, 600, std::nanf("")));
}

// The saver's folder: %APPDATA%\Quarnel, made when missing; the file keeps its two lines.
TEST(SaverPreferences, LiveInTheApplicationDataFolder) {
    const char* const before = preferencesPath;
    char pattern[] = "/tmp/quarnel-appdata-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path appData = pattern;

    unsetenv("APPDATA");
    EXPECT_FALSE(useApplicationDataPreferences());
    EXPECT_EQ(preferencesPath, before);
    std::ofstream(appData / "plain-file") << "not a folder";
    setenv("APPDATA", (appData / "plain-file").c_str(), 1);
    EXPECT_FALSE(useApplicationDataPreferences());
    EXPECT_EQ(preferencesPath, before);

    setenv("APPDATA", appData.c_str(), 1);
    ASSERT_TRUE(useApplicationDataPreferences());
    const fs::path file = appData / "Quarnel" / "prefs.txt";
    EXPECT_EQ(fs::path(preferencesPath), file);
    loadPreferences();
    EXPECT_EQ(fileText(file), "Resolution: 800x600\nSpeed: 20.000000\n");
    ASSERT_TRUE(savePreferences(1024, 768, 5.5f));
    EXPECT_EQ(fileText(file), "Resolution: 1024x768\nSpeed: 5.500000\n");
    display.screenWidth = display.screenHeight = 0;
    loadPreferences();
    EXPECT_EQ(display.screenWidth, 1024);
    EXPECT_EQ(display.screenHeight, 768);
    EXPECT_EQ(speedPreference, 5.5f);

    fs::remove_all(appData / "Quarnel");
    fs::permissions(appData, fs::perms::owner_read | fs::perms::owner_exec);
    if (getuid() != 0) {
        EXPECT_FALSE(useApplicationDataPreferences()); // the folder cannot be made
    }
    fs::permissions(appData, fs::perms::owner_all);
    unsetenv("APPDATA");
    preferencesPath = before;
    fs::remove_all(appData);
}

// Whole saver runs on the headless host, in a folder of their own.
class SaverRun : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quarnel-saver-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        catchTerminationSignal(); // forgets a SIGTERM of an earlier run
        restart();
    }
    void restart() {
        resetApplication();
        frames = 0;
        headlessSetKeyboardHook(atFrame, this);
        headlessSetPresentHook(atPresent, this);
    }
    void TearDown() override {
        headlessSetKeyboardHook(nullptr, nullptr);
        headlessSetPresentHook(nullptr, nullptr);
        headlessReset();
        std::signal(SIGTERM, SIG_DFL);
        unsetenv("XSCREENSAVER_WINDOW");
        parseProgramOptions({});
        ASSERT_EQ(chdir(previous), 0);
        fs::remove_all(folder);
    }
    static void atFrame(void* context) {
        SaverRun* run = static_cast<SaverRun*>(context);
        ++run->frames;
        advanceHeldClocks(0, run->cpuPerFrame);
        if (run->frames == run->terminateAtFrame) {
            std::raise(SIGTERM);
        }
        if (run->frames == run->keyAtFrame) {
            headlessQueueKeyDown(VK_SHIFT);
        }
        if (run->frames == run->moveAtFrame) {
            headlessQueueMouseMoveBy(run->moveBy, 0, 0);
        }
        if (run->frames == run->quitAtFrame) {
            headlessQueueQuit();
        }
        if (run->frames == run->tapAtFrame) {
            // Held back until the next present: the whole tap then waits in the queue.
            headlessQueuePause(10);
            headlessQueueKeyDown(VK_SPACE);
            headlessQueueKeyUp(VK_SPACE);
        }
    }
    static void atPresent(const HeadlessFrame* frame, void* context) {
        SaverRun* run = static_cast<SaverRun*>(context);
        size_t lit = 0;
        for (int i = 0; i < frame->width * frame->height * frame->bytesPerPixel; ++i) {
            lit += frame->pixels[i] != 0;
        }
        run->lastLit = lit;
        if (frame->number == run->terminateAtPresent) {
            std::raise(SIGTERM);
        }
        if (run->tapAtFrame != 0 && run->frames == run->tapAtFrame) {
            headlessAdvanceTicks(20);
        }
        run->cameraZs.push_back(camera.cameraZ);
    }
    int runHack(const std::vector<std::string>& words) {
        EXPECT_EQ(parseProgramOptions(words), 0);
        return runSaver(GetModuleHandleA(nullptr));
    }
    fs::path folder;
    char previous[4096];
    int frames = 0;
    int terminateAtFrame = 0;
    int keyAtFrame = 0;
    int moveAtFrame = 0;
    int moveBy = 0;
    int quitAtFrame = 0;
    int tapAtFrame = 0;
    int terminateAtPresent = 0; // counting the start-up's
    uint64_t cpuPerFrame = 0;   // moves the held CPU clock
    size_t lastLit = 0;
    std::vector<float> cameraZs;
};

TEST_F(SaverRun, HackFliesItsOwnSizeAndSpeedAndEndsOnSigtermWithStatusZero) {
    terminateAtFrame = 40;
    headlessSetTickCount(20020);
    EXPECT_EQ(runHack({"-window", "-size", "320x240", "-speed", "5"}), 0);
    EXPECT_EQ(frames, 40); // the frame the signal came in is the last
    EXPECT_EQ(headlessDisplayMode().width, 320);
    EXPECT_EQ(headlessDisplayMode().height, 240);
    EXPECT_EQ(speedPreference, 5.0f);
    EXPECT_EQ(programOptions.window.saverTarget, HostSaverTarget::ownWindow);
    EXPECT_TRUE(programOptions.window.windowed);
    EXPECT_GT(lastLit, 100u);
    // The autopilot never stops: forward in every frame.
    ASSERT_GE(cameraZs.size(), 40u);
    for (size_t i = 2; i < cameraZs.size(); ++i) {
        EXPECT_GT(cameraZs[i], cameraZs[i - 1]) << "frame " << i;
    }
    // A hack's settings are its options: no preferences file is read or written.
    EXPECT_FALSE(fs::exists(folder / preferencesPath));
}

TEST_F(SaverRun, HackIgnoresInputAndDefaultsToTheDemonstrationsSize) {
    keyAtFrame = 2;
    moveAtFrame = 3;
    moveBy = 300;
    terminateAtFrame = 20;
    EXPECT_EQ(runHack({"-window-id", "0x2a"}), 0);
    EXPECT_EQ(frames, 20);
    EXPECT_EQ(headlessDisplayMode().width, defaultSaverWidth);
    EXPECT_EQ(speedPreference, defaultSaverSpeed);
    EXPECT_EQ(programOptions.window.saverTarget, HostSaverTarget::foreignWindow);
    EXPECT_EQ(programOptions.window.saverWindowId, 42u);
}

TEST_F(SaverRun, RootFollowsXScreenSaverWindow) {
    terminateAtFrame = 1;
    EXPECT_EQ(runHack({"-root"}), 0);
    EXPECT_EQ(programOptions.window.saverTarget, HostSaverTarget::rootWindow);

    restart();
    setenv("XSCREENSAVER_WINDOW", "0x1E00007", 1);
    EXPECT_EQ(runHack({"-root"}), 0);
    EXPECT_EQ(programOptions.window.saverTarget, HostSaverTarget::foreignWindow);
    EXPECT_EQ(programOptions.window.saverWindowId, 0x1E00007u);
}

// The frame clocks held still, moved only by the frames' waits and the fixture.
struct HeldFrameClocks {
    HeldFrameClocks() { holdFrameClocks(); }
    ~HeldFrameClocks() { releaseFrameClocks(); }
};

TEST_F(SaverRun, HackFpsSaysTheRateEveryFiveSecondsAndDelayWaitsAfterEachFrame) {
    const HeldFrameClocks held;
    cpuPerFrame = 2000;
    terminateAtFrame = 61;
    testing::internal::CaptureStderr();
    EXPECT_EQ(runHack({"-window", "-size", "64x48", "-fps", "-delay", "100000", "--stats"}), 0);
    sayFrameStatistics("quarnel");
    // Frame k is presented at (k - 1) × 100 ms: frame 51 ends the first five seconds.
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quarnel: 10.0 frames per second, CPU 2.000 ms per frame\n"
              "quarnel: 61 frames; between presents: median 100.000 ms, 99th percentile "
              "100.000 ms, jitter 0.000 ms (standard deviation of the last 60); CPU 2.000 ms per "
              "frame\n");
    EXPECT_EQ(frames, 61);
    EXPECT_EQ(steadyMicroseconds(), 61u * 100000u);
}

TEST_F(SaverRun, HackWithoutFpsOrStatsSaysNothingAndMeasuresNothing) {
    const HeldFrameClocks held;
    terminateAtFrame = 3;
    testing::internal::CaptureStderr();
    EXPECT_EQ(runHack({"-window", "-size", "64x48"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(runFrameStatistics().frames, 0u);
    EXPECT_EQ(steadyMicroseconds(), 0u);
}

TEST_F(SaverRun, ASigtermCutsTheDelayShort) {
    const HeldFrameClocks held;
    terminateAtPresent = 1 + 3; // during frame 3's present, before its wait
    EXPECT_EQ(runHack({"-window", "-size", "64x48", "-delay", "10000000"}), 0);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(steadyMicroseconds(), 2u * 10000000u);
}

TEST_F(SaverRun, ABadXScreenSaverWindowEndsWithStatusOneBeforeAnyWindow) {
    setenv("XSCREENSAVER_WINDOW", "root", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(runHack({"-root"}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quarnel: XSCREENSAVER_WINDOW is \"root\", which is no X window id\n");
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(headlessPresentCount(), 0);
}

TEST_F(SaverRun, WindowsWordsAreNotForThisBuild) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(runHack({"/s"}), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Windows screensaver"),
              std::string::npos);
    EXPECT_EQ(frames, 0);
}

// The full-screen saver's loop: the demonstration's start-up, then frames until the person acts.
TEST_F(SaverRun, FullScreenLoopEndsOnAKeyPress) {
    keyAtFrame = 15;
    EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), fullScreenSaverSettings()), 0);
    EXPECT_EQ(frames, 16); // pressed during frame 15's pump, seen in frame 16's snapshot
}

// Down and up taken by one pump leave nothing in the snapshot; the queue still shows the press.
TEST_F(SaverRun, FullScreenLoopEndsOnAQuickTap) {
    tapAtFrame = 15;
    quitAtFrame = 40;
    EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), fullScreenSaverSettings()), 0);
    EXPECT_EQ(frames, 16);
}

TEST_F(SaverRun, FullScreenLoopEndsOnAMouseMoveBeyondTheSlackOnly) {
    moveAtFrame = saverSettleFrames + 2;
    moveBy = saverMouseSlack;
    quitAtFrame = saverSettleFrames + 30;
    EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), fullScreenSaverSettings()), 0);
    EXPECT_EQ(frames, static_cast<int>(saverSettleFrames + 30)); // ended by the quit message

    restart();
    moveBy = saverMouseSlack + 1;
    EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), fullScreenSaverSettings()), 0);
    EXPECT_EQ(frames, static_cast<int>(saverSettleFrames + 2)); // seen by the same pump
}

// /s on a display that does not offer the preferences' size: the desktop's size instead, one
// line on standard error and no error box; the line that names the file suggests a size the
// display does offer.
TEST_F(SaverRun, FullScreenFallsBackToTheDesktopsSizeWithoutABox) {
    std::ofstream(preferencesPath) << "Resolution: 800x600\nSpeed: 20\n";
    headlessRefuseMode(800, 600, 24);
    headlessRefuseMode(800, 600, 32);
    quitAtFrame = 3;
    testing::internal::CaptureStderr();
    EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), fullScreenSaverSettings()), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "quarnel: the display does not offer 800x600; flying at 1024x768\n");
    EXPECT_EQ(headlessMessageBoxCount(), 0);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(headlessDisplayMode().width, 1024);
    EXPECT_EQ(headlessDisplayMode().height, 768);
    EXPECT_EQ(display.screenWidth, 1024);
    EXPECT_GT(lastLit, 100u);
    EXPECT_NE(std::string(preferencesResolutionNote()).find("such as 1024x768"), std::string::npos);
}

// Without preferences /s flies at the desktop's own size, and writes no file.
TEST_F(SaverRun, FullScreenWithoutPreferencesFliesAtTheDesktopsSize) {
    quitAtFrame = 2;
    EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), fullScreenSaverSettings()), 0);
    EXPECT_EQ(headlessDisplayMode().width, 1024);
    EXPECT_EQ(headlessDisplayMode().height, 768);
    EXPECT_EQ(speedPreference, defaultSaverSpeed);
    EXPECT_FALSE(fs::exists(folder / preferencesPath));
}

} // namespace
