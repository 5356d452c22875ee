// The process entry: our own options are taken first; then the command line without the
// program's name goes to appMain, whose result becomes the exit code. Screensaver arguments
// run the saver instead.
#include "app/appMain.h"
#include "app/commandLine.h"
#include "app/desktopFolders.h"
#include "app/flight/flightRecording.h"
#include "app/framePacing.h"
#include "app/preferences.h"
#include "app/programOptions.h"
#include "app/saver/saverMode.h"
#include "platform/hostWindow.h"
#include "record/displayState.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

// --size and --speed: the preferences for what they leave out, read when the file is there and
// never written, and the rest as appMain would have it.
static RunSettings oneRunSettings() {
    RunSettings settings;
    const bool bothGiven = programOptions.saverWidth > 0 && programOptions.saverSpeedGiven;
    std::error_code unknown;
    if (!bothGiven && std::filesystem::is_regular_file(preferencesPath, unknown)) {
        loadPreferences();
        settings.width = display.screenWidth;
        settings.height = display.screenHeight;
        settings.speed = speedPreference;
        settings.resolutionNote = preferencesResolutionNote();
    }
    static char note[96];
    if (programOptions.saverWidth > 0) {
        settings.width = programOptions.saverWidth;
        settings.height = programOptions.saverHeight;
        std::snprintf(note, sizeof note, "quarnel: --size %dx%d; give a size the display offers",
                      settings.width, settings.height);
        settings.resolutionNote = note;
    }
    if (programOptions.saverSpeedGiven) {
        settings.speed = programOptions.saverSpeed;
    }
    settings.threads = programOptions.threads;
    settings.steering = programOptions.autopilot ? Steering::autopilot : Steering::person;
    settings.frameStatistics = programOptions.frameStatistics;
    return settings;
}

// --stats: said once a run that flew is over, whichever door it came in by.
[[noreturn]] static void endRun(int status) {
    if (programOptions.frameStatistics && status == 0) {
        sayFrameStatistics("quarnel");
    }
    std::exit(status);
}

#if defined(QUARNEL_REAL_DIRECTDRAW)
// Started as quarnel.scr without arguments, the program is asked for its settings, as Windows
// does with screensavers; as quarnel.exe it is the demonstration.
static bool startedAsScreensaver() {
    char name[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, name, MAX_PATH);
    return length >= 4 && length < MAX_PATH && _stricmp(name + length - 4, ".scr") == 0;
}

// Windows hands a program one line, split here as its runtime would split it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* arguments = skipProgramName(GetCommandLineA());
    const std::vector<std::string> words = splitCommandLine(arguments);
#else
// Elsewhere the words arrive as they were given, quotes and spaces intact.
int main(int argc, char** argv) {
    const char* arguments = skipProgramName(GetCommandLineA());
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
    const int optionStatus = parseProgramOptions(words);
    if (optionStatus != 0) {
        std::exit(optionStatus);
    }
    if (programOptions.showHelp) {
        std::fputs(programHelp, stdout);
        std::exit(0);
    }
    if (programOptions.showVersion) {
        std::printf("quarnel %s\n", QUARNEL_VERSION);
        std::exit(0);
    }
    chooseHostWindow(programOptions.window);
#if defined(QUARNEL_REAL_DIRECTDRAW)
    if (words.empty() && startedAsScreensaver()) {
        programOptions.saverMode = SaverMode::windowsSettings;
    }
#endif
    if (programOptions.saverMode != SaverMode::none) {
        endRun(runSaver(GetModuleHandleA(nullptr)));
    }
#if !defined(_WIN32)
    // Without a folder of its own the run goes on in the working folder, as it would have.
    if (programOptions.desktop) {
        useDesktopFolders();
    }
#endif
    if (!programOptions.recordPath.empty()) {
        std::string error;
        if (!startFlightRecording(programOptions.recordPath, &error)) {
            std::fprintf(stderr, "quarnel: %s\n", error.c_str());
            std::exit(2);
        }
    }
    setDemonstrationOptions(programOptions.threads, programOptions.autopilot,
                            programOptions.frameStatistics);
    if (programOptions.saverWidth > 0 || programOptions.saverSpeedGiven) {
        endRun(runDemonstration(GetModuleHandleA(nullptr), oneRunSettings()));
    }
    endRun(appMain(GetModuleHandleA(nullptr), nullptr, arguments, SW_SHOWNORMAL));
}
