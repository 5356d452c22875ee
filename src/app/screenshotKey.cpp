#include "app/screenshotKey.h"

#include "display/frontBuffer.h"
#include "imagefile/pngFile.h"
#include "imagefile/screenshot.h"
#include "platform/win32.h"
#include "record/displayState.h"
#include "window/inputState.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

int nextScreenshotNumber = 1;
std::string screenshotFolder;

namespace {

bool exists(const char* name) {
    FILE* file = std::fopen(name, "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

// The screen's picture into the back buffer, row by row (the pitches may differ).
void copyScreenToBackBuffer() {
    lockFrontBuffer();
    if (display.frontBuffer != nullptr && display.backBuffer != nullptr) {
        const size_t rowBytes = static_cast<size_t>(display.screenWidth) * display.pixelMode;
        for (int32_t y = 0; y < display.screenHeight; ++y) {
            std::memcpy(display.backBuffer + static_cast<size_t>(y) * display.backPitch,
                        display.frontBuffer + static_cast<size_t>(y) * display.frontPitch,
                        rowBytes);
        }
    }
    unlockFrontBuffer();
}

// Red, green, blue rows of the back buffer (true colour; the demonstration has no other).
std::vector<uint8_t> backBufferRgb() {
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(display.screenWidth) * display.screenHeight * 3);
    for (int32_t y = 0; y < display.screenHeight; ++y) {
        const uint8_t* row = display.backBuffer + static_cast<size_t>(y) * display.backPitch;
        for (int32_t x = 0; x < display.screenWidth; ++x) {
            const uint8_t* pixel = row + static_cast<size_t>(x) * display.pixelMode;
            rgb.push_back(pixel[2]);
            rgb.push_back(pixel[1]);
            rgb.push_back(pixel[0]);
        }
    }
    return rgb;
}

} // namespace

bool nextScreenshotNames(int* next, char* bmpName, char* pngName, int size) {
    const std::string folder = screenshotFolder.empty() ? "" : screenshotFolder + "/";
    for (; *next <= 9999; ++*next) {
        std::snprintf(bmpName, static_cast<size_t>(size), "%squarnel-%04d.bmp", folder.c_str(),
                      *next);
        std::snprintf(pngName, static_cast<size_t>(size), "%squarnel-%04d.png", folder.c_str(),
                      *next);
        if (!exists(bmpName) && !exists(pngName)) {
            return true;
        }
    }
    return false;
}

void takeScreenshotOnKey() {
    if ((keyState[VK_F12] & 0x80) == 0 || (previousKeyState[VK_F12] & 0x80) != 0) {
        return;
    }
    if (display.backBuffer == nullptr || display.pixelMode == pixelModePalettized) {
        return;
    }
    char bmpName[4096];
    char pngName[4096];
    if (!screenshotFolder.empty()) {
        std::error_code ignored; // a folder that cannot be made fails the write, which says so
        std::filesystem::create_directories(screenshotFolder, ignored);
    }
    if (!nextScreenshotNames(&nextScreenshotNumber, bmpName, pngName, sizeof bmpName)) {
        std::fprintf(stderr, "quarnel: no screenshot: quarnel-0001 to quarnel-9999 are taken\n");
        return;
    }
    copyScreenToBackBuffer();
    const std::vector<uint8_t> rgb = pngSupported() ? backBufferRgb() : std::vector<uint8_t>();
    errno = 0;
    if (writeScreenshot(bmpName) == 1) {
        ++nextScreenshotNumber;
        if (pngSupported() &&
            !writePngFile(pngName, rgb.data(), display.screenWidth, display.screenHeight)) {
            std::fprintf(stderr, "quarnel: cannot write the screenshot %s\n", pngName);
        }
    } else {
        const int reason = errno;
        std::remove(bmpName);
        std::error_code unknown;
        std::string folder = screenshotFolder.empty()
                                 ? std::filesystem::current_path(unknown).string()
                                 : screenshotFolder;
        if (folder.empty()) {
            folder = "the working folder";
        }
        std::fprintf(stderr, "quarnel: cannot write the screenshot %s in %s: %s\n", bmpName,
                     folder.c_str(), reason != 0 ? std::strerror(reason) : "the write failed");
    }
    // The next frame starts from a black back buffer, as it always does.
    std::memset(display.backBuffer, 0,
                static_cast<size_t>(display.backPitch) * static_cast<size_t>(display.screenHeight));
}
