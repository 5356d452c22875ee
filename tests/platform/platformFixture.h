// A fresh layer and host for every test, with helpers for the window and display that most
// tests need.
#pragma once

#include "platform/host/headless/headlessHost.h"
#include "platform/win32.h"
#include "support/systemReset.h"

#include <gtest/gtest.h>

#include <vector>

// Every message the test window's procedure receives, in order.
struct ReceivedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
inline std::vector<ReceivedMessage> receivedMessages;

inline LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    receivedMessages.push_back({window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

inline HWND createWindow(int width = 640, int height = 480, UINT classStyle = 0,
                         const char* className = "platformTest") {
    WNDCLASSA windowClass = {};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = recordingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, "test window", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

inline std::vector<UINT> pumpAll() {
    std::vector<UINT> taken;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        taken.push_back(message.message);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return taken;
}

inline DDSURFACEDESC offscreenDesc(DWORD width, DWORD height) {
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    return desc;
}

inline DDSURFACEDESC primaryDesc() {
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    return desc;
}

class PlatformTest : public SystemTest {
  protected:
    void SetUp() override {
        SystemTest::SetUp();
        receivedMessages.clear();
    }
    void TearDown() override {
        resetSystemGlobals();
        receivedMessages.clear();
    }
};

// A window and an exclusive DirectDraw object in the given mode.
class DisplayTest : public PlatformTest {
  protected:
    HWND window = nullptr;
    LPDIRECTDRAW directDraw = nullptr;

    void openDisplay(int width, int height, int bitsPerPixel) {
        window = createWindow(width, height);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
        ASSERT_EQ(directDraw->SetCooperativeLevel(window, 0x53), DD_OK);
        ASSERT_EQ(directDraw->SetDisplayMode(width, height, bitsPerPixel), DD_OK);
    }
    LPDIRECTDRAWSURFACE create(DDSURFACEDESC desc) {
        LPDIRECTDRAWSURFACE surface = nullptr;
        EXPECT_EQ(directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }
};
