// The process entry: the command line without the program's name goes to appMain, whose
// result becomes the exit code.
#include "app/appMain.h"
#include "app/commandLine.h"

#include <cstdlib>

#if defined(QUARNEL_REAL_DIRECTDRAW)
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
#else
int main() {
#endif
    std::exit(appMain(GetModuleHandleA(nullptr), nullptr, skipProgramName(GetCommandLineA()),
                      SW_SHOWNORMAL));
}
