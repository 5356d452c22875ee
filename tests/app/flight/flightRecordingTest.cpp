// quarnel --record: a flight flown on the headless host with scripted input, kept as it is
// flown, then replayed by quarnel-render, must give every frame again.
#include "app/flight/flightRecording.h"
#include "app/appMain.h"
#include "app/flight/flightFile.h"
#include "app/flightControl.h"
#include "app/preferences.h"
#include "platform/host/headless/headlessHost.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "support/framePicture.h"
#include "support/systemReset.h"
#include "window/fatalError.h"
#include "window/inputState.h"
#include "window/mainWindow.h"
#include "window/messagePump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Flown {
    std::vector<Picture> frames; // the start-up's black frame first
    int pumps = 0;
    int fatalAtPump = 0;
};

Flown flown;

void keepFrame(const HeadlessFrame* frame, void*) {
    flown.frames.push_back(pictureOf(frame));
}

// The person: moves and buttons, several messages in one pump, the left button held from
// before the start (it counts only once released), both buttons, a quiet stretch.
void person(void*) {
    const int pump = ++flown.pumps;
    if (pump == flown.fatalAtPump) {
        fatalError("test failure");
    }
    switch (pump) {
    case 2:
        headlessQueueMouseMoveBy(7, -3, MK_LBUTTON);
        break;
    case 3:
        headlessQueueMouseMoveBy(2, 2, MK_LBUTTON);
        headlessQueueButtonUp(MK_LBUTTON);
        headlessQueueMouseMoveBy(-5, 1, 0);
        break;
    case 4:
        headlessQueueButtonDown(MK_LBUTTON);
        break;
    case 6:
        headlessQueueMouseMoveBy(30, 12, MK_LBUTTON);
        headlessQueueMouseMoveBy(-1, -40, MK_LBUTTON);
        headlessQueueButtonDown(MK_RBUTTON);
        break;
    case 7:
        headlessQueueButtonUp(MK_LBUTTON);
        break;
    case 9:
        headlessQueueButtonUp(MK_RBUTTON);
        headlessQueueButtonDown(MK_LBUTTON);
        headlessQueueMouseMoveBy(3, 3, MK_LBUTTON);
        break;
    case 16:
        headlessHoldKey(VK_ESCAPE);
        break;
    default:
        break;
    }
}

class FlightRecordingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quarnel-record-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
        std::ofstream(preferencesPath) << "Resolution: 120x90\nSpeed: 7.5\n";
        flown = Flown{};
    }
    void TearDown() override {
        finishFlightRecording();
        headlessSetKeyboardHook(nullptr, nullptr);
        headlessSetPresentHook(nullptr, nullptr);
        resetSystemGlobals();
        ASSERT_EQ(chdir(previous), 0);
        ASSERT_EQ(std::system(("rm -rf '" + folder + "'").c_str()), 0);
    }

    // appMain on a fresh host with the person's script, recording to path.
    void fly(const std::string& path) {
        resetSystemGlobals();
        headlessSetTickCount(31337);
        headlessQueueButtonDown(MK_LBUTTON);
        headlessSetKeyboardHook(person, nullptr);
        headlessSetPresentHook(keepFrame, nullptr);
        std::string error;
        ASSERT_TRUE(startFlightRecording(path, &error)) << error;
        appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        finishFlightRecording();
    }

    // quarnel-render's frames of the flight, from the header alone.
    std::vector<Picture> replay(const std::string& path, int* status) {
        const std::string out = folder + "/replay";
        const std::string command = std::string("'") + QUARNEL_RENDER + "' --flight '" + path +
                                    "' --out '" + out + "/f%03d.ppm' >/dev/null";
        *status = std::system(command.c_str());
        std::vector<Picture> frames;
        for (int n = 0;; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "/f%03d.ppm", n);
            std::ifstream in(out + name, std::ios::binary);
            if (!in) {
                break;
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
        return frames;
    }

    std::string folder;
    char previous[4096];
};

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(FlightRecordingTest, ReplayGivesEveryFrameAgain) {
    const std::string path = folder + "/flight.txt";
    fly(path);
    ASSERT_EQ(flown.frames.size(), 1u + 16);
    FlightHeader header;
    std::vector<FlightStep> steps;
    std::string error;
    ASSERT_TRUE(readFlightFile(path, &header, &steps, &error)) << error;
    EXPECT_EQ(fileText(path).rfind("# quarnel flight: size 120x90 ticks 31337 speed 7.5\n", 0), 0u);
    ASSERT_EQ(steps.size(), 16u);
    // Offsets and buttons as the frame loop saw them: the sum of a pump's moves, the button
    // let go within a pump, the right one with the left as both.
    EXPECT_EQ(steps[1].dx, 7);
    EXPECT_EQ(steps[1].dy, -3);
    EXPECT_EQ(steps[2].dx, 2 - 5);
    EXPECT_EQ(steps[2].buttons, 0);
    EXPECT_EQ(steps[3].buttons, 1);
    EXPECT_EQ(steps[5].dx, 30 - 1);
    EXPECT_EQ(steps[5].dy, 12 - 40);
    EXPECT_EQ(steps[5].buttons, 3);
    EXPECT_EQ(steps[6].buttons, 2);
    int status = -1;
    const std::vector<Picture> replayed = replay(path, &status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(replayed.size(), flown.frames.size());
    for (size_t n = 0; n < replayed.size(); ++n) {
        EXPECT_TRUE(replayed[n] == flown.frames[n]) << "frame " << n;
    }
    // The flight moved the picture.
    EXPECT_FALSE(flown.frames[5] == flown.frames[15]);
}

// A fatal error ends the process; the recording is closed on the way out and replays up to its
// last frame.
TEST_F(FlightRecordingTest, ACutOffRecordingReplaysUpToItsLastFrame) {
    const std::string whole = folder + "/whole.txt";
    fly(whole);
    const std::vector<Picture> frames = flown.frames;
    const std::string cut = folder + "/cut.txt";
    EXPECT_EXIT(
        {
            flown = Flown{};
            flown.fatalAtPump = 11;
            fly(cut);
        },
        ::testing::ExitedWithCode(1), "test failure");
    const std::string cutText = fileText(cut);
    const std::string wholeText = fileText(whole);
    ASSERT_FALSE(cutText.empty());
    EXPECT_EQ(wholeText.compare(0, cutText.size(), cutText), 0);
    int status = -1;
    const std::vector<Picture> replayed = replay(cut, &status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(replayed.size(), 1u + 10);
    for (size_t n = 0; n < replayed.size(); ++n) {
        EXPECT_TRUE(replayed[n] == frames[n]) << "frame " << n;
    }
}

TEST_F(FlightRecordingTest, AFileThatCannotBeCreatedIsRefused) {
    std::string error;
    EXPECT_FALSE(startFlightRecording(folder + "/no/such/folder/flight.txt", &error));
    EXPECT_NE(error.find("no/such/folder/flight.txt"), std::string::npos) << error;
    EXPECT_FALSE(flightRecordingActive());
}

} // namespace
