// Every door runs the demonstration's own frames: quarnel-render, the XScreenSaver hack and the
// full-screen saver show, frame for frame, what runDemonstration shows on the headless host for
// the same size, speed, ticks and steering; the savers do it on the worker threads with the
// tile present, and quarnel-render needs no folder it can write.
#include "app/appMain.h"
#include "app/cellWorkers.h"
#include "app/preferences.h"
#include "app/programOptions.h"
#include "app/saver/saverMode.h"
#include "platform/host/headless/headlessHost.h"
#include "support/framePicture.h"
#include "support/systemReset.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const DWORD doorTicks = 4242;
const int doorFrames = 8;

struct Seen {
    std::vector<Picture> frames; // the start-up's black frame first
    int pumps = 0;
    int signalAtPump = 0;
    int quitAtPump = 0;
};

Seen seen;

void keepFrame(const HeadlessFrame* frame, void*) {
    seen.frames.push_back(pictureOf(frame));
}

void atPump(void*) {
    ++seen.pumps;
    if (seen.pumps == seen.signalAtPump) {
        std::raise(SIGTERM);
    }
    if (seen.pumps == seen.quitAtPump) {
        headlessQueueQuit();
    }
}

class DoorsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quarnel-doors-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        startHost();
    }
    void TearDown() override {
        headlessSetKeyboardHook(nullptr, nullptr);
        headlessSetPresentHook(nullptr, nullptr);
        std::signal(SIGTERM, SIG_DFL);
        parseProgramOptions({});
        resetSystemGlobals();
        ASSERT_EQ(chdir(previous), 0);
        fs::permissions(folder, fs::perms::owner_all);
        fs::remove_all(folder);
    }
    void startHost() {
        resetSystemGlobals();
        seen = Seen{};
        headlessSetTickCount(doorTicks);
        headlessSetKeyboardHook(atPump, nullptr);
        headlessSetPresentHook(keepFrame, nullptr);
    }
    // The demonstration's frame loop, flown by the autopilot for doorFrames frames.
    std::vector<Picture> demonstration(int width, int height, float speed) {
        startHost();
        RunSettings settings;
        settings.width = width;
        settings.height = height;
        settings.speed = speed;
        settings.steering = Steering::autopilot;
        settings.frames = doorFrames;
        EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), settings), 0);
        return seen.frames;
    }
    std::vector<Picture> readFrames(const fs::path& from) {
        std::vector<Picture> frames;
        for (int n = 0;; ++n) {
            std::ifstream in(from / ("f" + std::to_string(n) + ".ppm"), std::ios::binary);
            if (!in) {
                return frames;
            }
            std::string magic;
            int width = 0;
            int height = 0;
            int maximum = 0;
            in >> magic >> width >> height >> maximum;
            in.get();
            Picture picture(static_cast<size_t>(width) * height * 3);
            in.read(reinterpret_cast<char*>(picture.data()),
                    static_cast<std::streamsize>(picture.size()));
            frames.push_back(picture);
        }
    }
    void expectSameFrames(const std::vector<Picture>& door, const std::vector<Picture>& loop) {
        ASSERT_EQ(door.size(), static_cast<size_t>(1 + doorFrames));
        ASSERT_EQ(door.size(), loop.size());
        for (size_t n = 0; n < door.size(); ++n) {
            EXPECT_TRUE(door[n] == loop[n]) << "frame " << n;
        }
        EXPECT_FALSE(loop[1] == loop[doorFrames]); // the flight moved the picture
    }
    fs::path folder;
    char previous[4096];
};

TEST_F(DoorsTest, RenderShowsTheDemonstrationsFrames) {
    const std::vector<Picture> loop = demonstration(96, 72, 20.0f);
    const std::string command = std::string("'") + QUARNEL_RENDER +
                                "' --size 96x72 --ticks 4242 --autopilot --frames 8 --out '" +
                                (folder / "render").string() + "/f%d.ppm' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    expectSameFrames(readFrames(folder / "render"), loop);
}

// No preferences file to read, none written, no temporary folder and no change of folder: the
// run's settings come from the command line alone.
TEST_F(DoorsTest, RenderRendersInAReadOnlyFolderWithNoPreferencesAndNoTemporaryFolder) {
    const fs::path readOnly = folder / "readOnly";
    const fs::path temporary = folder / "tmp";
    fs::create_directories(readOnly);
    fs::create_directories(temporary);
    fs::create_directories(folder / "out");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string command = "cd '" + readOnly.string() + "' && TMPDIR='" + temporary.string() +
                                "' '" + QUARNEL_RENDER +
                                "' --size 64x48 --ticks 7 --autopilot --frames 3 --out '" +
                                (folder / "out").string() + "/f%d.ppm' >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(readFrames(folder / "out").size(), 4u);
    // Even where the folders could be written (the tests may run as root), nothing was.
    EXPECT_TRUE(fs::is_empty(readOnly));
    EXPECT_TRUE(fs::is_empty(temporary));
    fs::permissions(readOnly, fs::perms::owner_all);
    fs::permissions(temporary, fs::perms::owner_all);
}

TEST_F(DoorsTest, HackShowsTheDemonstrationsFrames) {
    const std::vector<Picture> loop = demonstration(96, 72, 7.5f);
    startHost();
    seen.signalAtPump = doorFrames;
    ASSERT_EQ(parseProgramOptions({"-window", "-size", "96x72", "-speed", "7.5"}), 0);
    EXPECT_EQ(runSaver(GetModuleHandleA(nullptr)), 0);
    expectSameFrames(seen.frames, loop);
}

TEST_F(DoorsTest, FullScreenSaverShowsTheDemonstrationsFrames) {
    const std::vector<Picture> loop = demonstration(96, 72, 20.0f);
    startHost();
    seen.quitAtPump = doorFrames;
    std::ofstream(preferencesPath) << "Resolution: 96x72\nSpeed: 20\n";
    EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), fullScreenSaverSettings()), 0);
    expectSameFrames(seen.frames, loop);
}

// The savers grow their cells on the worker threads (the replayed command lists are counted
// only then) and present only the drawn tiles (few whole copies of the back buffer); the cursor
// is put at the centre once, at the start-up, and never moved by the loop.
TEST_F(DoorsTest, SaversUseTheWorkersAndTheTilePresentAndLeaveTheCursorAlone) {
    if (cellThreads() < 2) {
        GTEST_SKIP() << "one hardware thread: no workers to see";
    }
    seen.signalAtPump = 30;
    ASSERT_EQ(parseProgramOptions({"-window", "-size", "160x120"}), 0);
    EXPECT_EQ(runSaver(GetModuleHandleA(nullptr)), 0);
    EXPECT_EQ(seen.pumps, 30);
    EXPECT_GT(lastFrameCommandCount(), 0);
    EXPECT_LT(headlessCallCount("IDirectDrawSurface::BltFast"), 10);
    EXPECT_EQ(headlessWarpCount(), 1);

    startHost();
    seen.quitAtPump = 30;
    std::ofstream(preferencesPath) << "Resolution: 160x120\nSpeed: 20\n";
    EXPECT_EQ(runDemonstration(GetModuleHandleA(nullptr), fullScreenSaverSettings()), 0);
    EXPECT_EQ(seen.pumps, 30);
    EXPECT_GT(lastFrameCommandCount(), 0);
    EXPECT_LT(headlessCallCount("IDirectDrawSurface::BltFast"), 10);
    EXPECT_EQ(headlessWarpCount(), 1);
}

} // namespace
