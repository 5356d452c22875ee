// Plays the control panel for the Windows screensaver's preview: makes a black window at the
// top-left corner of the screen, starts the saver with /p and the window's handle, keeps the
// window for a while, destroys it, and waits for the saver to end.
//
// usage: previewHost.exe SECONDS SAVER
// Exit status: the saver's, or 3 when it is still running 10 seconds after the window went.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: previewHost SECONDS SAVER\n");
        return 2;
    }
    const DWORD milliseconds = static_cast<DWORD>(std::atoi(argv[1])) * 1000;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "QuarnelPreviewHost";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Quarnel preview host",
                                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 320, 240, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "previewHost: no window\n");
        return 2;
    }
    std::string command = std::string("\"") + argv[2] + "\" /p " +
                          std::to_string(reinterpret_cast<uintptr_t>(window));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "previewHost: cannot start %s\n", command.c_str());
        return 2;
    }
    std::printf("started: %s\n", command.c_str());
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    DestroyWindow(window);
    std::printf("window destroyed\n");
    std::fflush(stdout);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        std::printf("the saver is still running\n");
        TerminateProcess(process.hProcess, 9);
        return 3;
    }
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    std::printf("the saver ended with status %lu\n", static_cast<unsigned long>(status));
    return static_cast<int>(status);
}
