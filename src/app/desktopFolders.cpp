#include "app/desktopFolders.h"

#include "app/preferences.h"
#include "app/screenshotKey.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// An XDG folder variable counts only as an absolute path.
std::string xdgConfigHome() {
    const std::string given = environment("XDG_CONFIG_HOME");
    if (!given.empty() && given[0] == '/') {
        return given;
    }
    const std::string home = environment("HOME");
    return home.empty() ? "" : home + "/.config";
}

// A user-dirs.dirs value: "$HOME/..." or "/...", in double quotes; "" when it is neither.
std::string userDirsValue(const std::string& line, const std::string& home) {
    const size_t open = line.find('"');
    const size_t close = line.rfind('"');
    if (open == std::string::npos || close <= open) {
        return "";
    }
    const std::string value = line.substr(open + 1, close - open - 1);
    if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/')) {
        return home.empty() ? "" : home + value.substr(5);
    }
    return !value.empty() && value[0] == '/' ? value : "";
}

} // namespace

std::string desktopConfigFolder() {
    const std::string config = xdgConfigHome();
    return config.empty() ? "" : config + "/quarnel";
}

std::string desktopPicturesFolder() {
    const std::string home = environment("HOME");
    const std::string config = xdgConfigHome();
    if (!config.empty()) {
        std::ifstream dirs(config + "/user-dirs.dirs");
        std::string line;
        std::string found;
        while (std::getline(dirs, line)) {
            const size_t start = line.find_first_not_of(" \t");
            if (start != std::string::npos && line.compare(start, 17, "XDG_PICTURES_DIR=") == 0) {
                found = userDirsValue(line.substr(start + 17), home); // the last one holds
            }
        }
        if (!found.empty()) {
            return found;
        }
    }
    return home.empty() ? "" : home + "/Pictures";
}

bool useDesktopFolders() {
    const std::string folder = desktopConfigFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "quarnel: no folder for prefs.txt: neither XDG_CONFIG_HOME nor "
                             "HOME is set\n");
        return false;
    }
    std::error_code failed;
    std::filesystem::create_directories(folder, failed);
    if (!std::filesystem::is_directory(folder, failed)) {
        std::fprintf(stderr, "quarnel: no folder for prefs.txt: %s cannot be made\n",
                     folder.c_str());
        return false;
    }
    static std::string path;
    path = folder + "/prefs.txt";
    preferencesPath = path.c_str();
    screenshotFolder = desktopPicturesFolder();
    return true;
}
