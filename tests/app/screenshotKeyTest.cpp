// F12 in quarnel: numbered screenshots of the frame on the screen, never overwriting a file,
// and a flight that goes on exactly as without them.
#include "app/screenshotKey.h"
#include "app/appMain.h"
#include "app/flightControl.h"
#include "app/preferences.h"
#include "imagefile/pngFile.h"
#include "platform/host/headless/headlessHost.h"
#include "record/displayState.h"
#include "scene/camera.h"
#include "support/systemReset.h"
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
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct Script {
    int pumps;
    std::vector<int> f12At; // pumps whose queue gets an F12 press (seen by the next snapshot)
    int removeFolderAt;
    std::string folder;
    std::vector<std::vector<uint8_t>> frames; // every present, as red, green, blue
};

Script script;

void keyboard(void*) {
    const int pump = ++script.pumps;
    for (int at : script.f12At) {
        if (pump == at) {
            headlessQueueKeyDown(VK_F12);
        }
        if (pump == at + 1) {
            headlessQueueKeyUp(VK_F12);
        }
    }
    if (pump == script.removeFolderAt) {
        std::remove(preferencesPath);
        rmdir(script.folder.c_str());
    }
    if (pump == 8) {
        headlessHoldKey(VK_ESCAPE);
    }
}

void keepFrame(const HeadlessFrame* frame, void*) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < frame->width * frame->height; ++i) {
        const BYTE* pixel = frame->pixels + static_cast<size_t>(i) * frame->bytesPerPixel;
        rgb.push_back(pixel[2]);
        rgb.push_back(pixel[1]);
        rgb.push_back(pixel[0]);
    }
    script.frames.push_back(rgb);
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The BMP's bottom-up BGR rows as top-down red, green, blue.
std::vector<uint8_t> bmpPixels(const std::string& bytes, int width, int height) {
    std::vector<uint8_t> rgb;
    const size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const size_t at = 54 + static_cast<size_t>(y) * rowSize + static_cast<size_t>(x) * 3;
            if (at + 2 >= bytes.size()) {
                return {};
            }
            rgb.push_back(static_cast<uint8_t>(bytes[at + 2]));
            rgb.push_back(static_cast<uint8_t>(bytes[at + 1]));
            rgb.push_back(static_cast<uint8_t>(bytes[at]));
        }
    }
    return rgb;
}

class ScreenshotKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quarnel-screenshot-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override {
        headlessSetKeyboardHook(nullptr, nullptr);
        headlessSetPresentHook(nullptr, nullptr);
        resetSystemGlobals();
        ASSERT_EQ(chdir(previous), 0);
        ASSERT_EQ(std::system(("rm -rf '" + folder + "'").c_str()), 0);
    }

    // The demonstration at 96 x 72 for eight frames.
    void fly(std::vector<int> f12At, int removeFolderAt = 0) {
        std::ofstream(preferencesPath) << "Resolution: 96x72\nSpeed: 20\n";
        script = Script{};
        script.f12At = f12At;
        script.removeFolderAt = removeFolderAt;
        script.folder = folder;
        resetSystemGlobals();
        nextScreenshotNumber = 1;
        headlessSetTickCount(777);
        headlessSetKeyboardHook(keyboard, nullptr);
        headlessSetPresentHook(keepFrame, nullptr);
        appMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        lastFrame = script.frames.back();
    }

    std::string folder;
    char previous[4096];
    std::vector<uint8_t> lastFrame;
};

TEST_F(ScreenshotKeyTest, NumberedFilesOfTheFrameOnTheScreenNeverOverwritten) {
    fly({});
    const std::vector<uint8_t> untouched = lastFrame;
    const size_t presentsWithout = script.frames.size();
    std::ofstream("quarnel-0002.bmp") << "someone else's";
    fly({2, 4});
    // F12 queued in pump 2 is held in the snapshot of frame 3: the picture of frame 3 (present
    // 4, after the start-up's), the bar drawn on the screen after it, and the same for frame 5.
    const std::string first = fileText("quarnel-0001.bmp");
    ASSERT_EQ(first.size(), 54u + 72 * 96 * 3);
    EXPECT_TRUE(bmpPixels(first, 96, 72) == script.frames[3]);
    EXPECT_EQ(fileText("quarnel-0002.bmp"), "someone else's");
    const std::string second = fileText("quarnel-0003.bmp");
    ASSERT_EQ(second.size(), first.size());
    EXPECT_FALSE(first == second);
    EXPECT_EQ(fileText("quarnel-0004.bmp"), "");
    if (pngSupported()) {
        EXPECT_EQ(fileText("quarnel-0001.png").rfind("\x89PNG", 0), 0u);
        EXPECT_EQ(fileText("quarnel-0003.png").rfind("\x89PNG", 0), 0u);
        EXPECT_EQ(fileText("quarnel-0002.png"), "");
    }
    // Each screenshot presented twice, the screen's unlock after its copy and the progress bar
    // (one per 50 rows: one at 72 rows), and the flight went on exactly as without them.
    EXPECT_EQ(script.frames.size(), presentsWithout + 2 * 2);
    EXPECT_TRUE(lastFrame == untouched);
}

TEST_F(ScreenshotKeyTest, AFolderThatCannotBeWrittenIsSaidAndTheDemonstrationGoesOn) {
    testing::internal::CaptureStderr();
    fly({3}, 2);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot write the screenshot quarnel-0001.bmp"), std::string::npos) << said;
    EXPECT_EQ(script.pumps, 8);
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
}

TEST(ScreenshotNames, SkipTakenNumbers) {
    char bmp[32];
    char png[32];
    int next = 9999;
    ASSERT_TRUE(nextScreenshotNames(&next, bmp, png, sizeof bmp));
    EXPECT_STREQ(bmp, "quarnel-9999.bmp");
    EXPECT_STREQ(png, "quarnel-9999.png");
    next = 10000;
    EXPECT_FALSE(nextScreenshotNames(&next, bmp, png, sizeof bmp));
}

} // namespace
