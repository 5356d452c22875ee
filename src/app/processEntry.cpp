// The process entry: our own options are taken first; then the command line without the
// program's name goes to appMain, whose result becomes the exit code.
#include "app/appMain.h"
#include "app/cellWorkers.h"
#include "app/commandLine.h"
#include "app/flightControl.h"
#include "app/flightRecording.h"
#include "app/programOptions.h"
#include "platform/hostWindow.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(QUARNEL_REAL_DIRECTDRAW)
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
#else
int main() {
#endif
    const char* arguments = skipProgramName(GetCommandLineA());
    const int optionStatus = parseProgramOptions(splitCommandLine(arguments));
    if (optionStatus != 0) {
        std::exit(optionStatus);
    }
    if (programOptions.showVersion) {
        std::printf("quarnel %s\n", QUARNEL_VERSION);
        std::exit(0);
    }
    chooseHostWindow(programOptions.window);
    if (!programOptions.recordPath.empty()) {
        std::string error;
        if (!startFlightRecording(programOptions.recordPath, &error)) {
            std::fprintf(stderr, "quarnel: %s\n", error.c_str());
            std::exit(2);
        }
    }
    flightControl.autopilot = programOptions.autopilot;
    setCellThreads(programOptions.threads);
    std::exit(appMain(GetModuleHandleA(nullptr), nullptr, arguments, SW_SHOWNORMAL));
}
