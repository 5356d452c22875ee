#include "app/desktopFolders.h"
#include "app/preferences.h"
#include "app/screenshotKey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class DesktopFolders : public testing::Test {
  protected:
    void SetUp() override {
        root = testing::TempDir() + "quarnel-desktop-" +
               testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root + "/home");
        keptHome = saved("HOME");
        keptConfig = saved("XDG_CONFIG_HOME");
        setenv("HOME", (root + "/home").c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        keptPath = preferencesPath;
    }
    void TearDown() override {
        restore("HOME", keptHome);
        restore("XDG_CONFIG_HOME", keptConfig);
        preferencesPath = keptPath;
        screenshotFolder.clear();
        std::filesystem::remove_all(root);
    }
    static std::string saved(const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr ? std::string(1, '=') + value : "";
    }
    static void restore(const char* name, const std::string& kept) {
        if (kept.empty()) {
            unsetenv(name);
        } else {
            setenv(name, kept.c_str() + 1, 1);
        }
    }
    void userDirs(const std::string& text) {
        std::filesystem::create_directories(root + "/home/.config");
        std::ofstream(root + "/home/.config/user-dirs.dirs") << text;
    }
    std::string root;
    std::string keptHome;
    std::string keptConfig;
    const char* keptPath = nullptr;
};

TEST_F(DesktopFolders, ConfigurationFolderFollowsXdgConfigHomeOnlyWhenAbsolute) {
    EXPECT_EQ(desktopConfigFolder(), root + "/home/.config/quarnel");
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    EXPECT_EQ(desktopConfigFolder(), root + "/config/quarnel");
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(desktopConfigFolder(), root + "/home/.config/quarnel");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(desktopConfigFolder(), root + "/home/.config/quarnel");
    unsetenv("HOME");
    EXPECT_EQ(desktopConfigFolder(), "");
    EXPECT_EQ(desktopPicturesFolder(), "");
}

TEST_F(DesktopFolders, PicturesFolderAsUserDirsGivesIt) {
    EXPECT_EQ(desktopPicturesFolder(), root + "/home/Pictures");
    userDirs("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
             "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    EXPECT_EQ(desktopPicturesFolder(), root + "/home/Bilder");
    userDirs("XDG_PICTURES_DIR=\"/srv/shots\"\n  XDG_PICTURES_DIR=\"/srv/later shots\"\n");
    EXPECT_EQ(desktopPicturesFolder(), "/srv/later shots");
    // Neither $HOME/ nor absolute, or not quoted: the default.
    for (const char* bad : {"XDG_PICTURES_DIR=\"Pictures\"\n", "XDG_PICTURES_DIR=$HOME/P\n",
                            "XDG_PICTURES_DIR=\"$HOMEWARD/P\"\n", "XDG_PICTURES_DIR=\"\"\n"}) {
        userDirs(bad);
        EXPECT_EQ(desktopPicturesFolder(), root + "/home/Pictures") << bad;
    }
}

TEST_F(DesktopFolders, PreferencesAreMadeInTheConfigurationFolder) {
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    ASSERT_TRUE(useDesktopFolders());
    EXPECT_EQ(std::string(preferencesPath), root + "/config/quarnel/prefs.txt");
    EXPECT_EQ(screenshotFolder, root + "/home/Pictures");
    loadPreferences();
    std::ifstream file(root + "/config/quarnel/prefs.txt");
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "Resolution: 800x600\nSpeed: 20.000000\n");
    EXPECT_TRUE(std::filesystem::is_empty(root + "/home")); // the pictures folder waits for F12
}

TEST_F(DesktopFolders, NoConfigurationFolderMovesNothing) {
    std::ofstream(root + "/config") << "a file where the folder would be";
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(useDesktopFolders());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot be made"), std::string::npos);
    EXPECT_EQ(preferencesPath, keptPath);
    EXPECT_EQ(screenshotFolder, "");
}

} // namespace
