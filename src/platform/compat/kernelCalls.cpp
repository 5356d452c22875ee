// kernel32: the module, the command line and time, all answered by the host.
#include "platform/compat/windowsApi.h"
#include "platform/host/host.h"

#include <cstddef>
#include <cstdint>

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    if (moduleName) {
        return nullptr; // no other modules are loaded
    }
    // The customary image base of a 32-bit executable: non-null and recognisable.
    return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x00400000));
}

LPSTR WINAPI GetCommandLineA(void) {
    // Windows hands out a writable buffer that lives as long as the process.
    static char buffer[4096];
    const char* text = activeHost.commandLine ? activeHost.commandLine() : nullptr;
    std::size_t length = 0;
    if (text) {
        while (text[length] && length + 1 < sizeof buffer) {
            buffer[length] = text[length];
            length++;
        }
    }
    buffer[length] = '\0';
    return buffer;
}

DWORD WINAPI GetTickCount(void) {
    return activeHost.tickCount();
}

void WINAPI Sleep(DWORD milliseconds) {
    activeHost.sleep(milliseconds);
}
