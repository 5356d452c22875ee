// A stand-in for the XScreenSaver daemon: makes a black window where it is told, runs a hack
// into it the way the daemon does (-window-id ID appended, or XSCREENSAVER_WINDOW in the
// environment for -root), and ends with the hack's exit status once the hack ends.
//
// usage: standInDaemon WIDTHxHEIGHT+X+Y window-id|environment hack [words...]
// Prints "window 0x... hack N" (N the hack's process id) when the hack has started, then
// "hack ended with status S" or "hack killed by signal S".
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: standInDaemon WxH+X+Y window-id|environment hack [words...]\n");
        return 2;
    }
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    const int parsed = XParseGeometry(argv[1], &x, &y, &width, &height);
    if ((parsed & WidthValue) == 0 || (parsed & HeightValue) == 0) {
        std::fprintf(stderr, "standInDaemon: bad geometry %s\n", argv[1]);
        return 2;
    }
    const bool byEnvironment = std::strcmp(argv[2], "environment") == 0;
    Display* connection = XOpenDisplay(nullptr);
    if (connection == nullptr) {
        std::fprintf(stderr, "standInDaemon: no X display\n");
        return 2;
    }
    const int screen = DefaultScreen(connection);
    XSetWindowAttributes attributes = {};
    attributes.background_pixel = BlackPixel(connection, screen);
    attributes.override_redirect = True; // placed exactly, as the daemon's own window is
    const Window window = XCreateWindow(connection, RootWindow(connection, screen), x, y, width,
                                        height, 0, CopyFromParent, InputOutput, CopyFromParent,
                                        CWBackPixel | CWOverrideRedirect, &attributes);
    XMapRaised(connection, window);
    XSync(connection, False);

    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", static_cast<unsigned long>(window));
    std::vector<char*> words(argv + 3, argv + argc);
    std::string windowIdWord = "-window-id";
    if (!byEnvironment) {
        words.push_back(&windowIdWord[0]);
        words.push_back(id);
    }
    words.push_back(nullptr);
    const pid_t hack = fork();
    if (hack == 0) {
        close(ConnectionNumber(connection));
        if (byEnvironment) {
            setenv("XSCREENSAVER_WINDOW", id, 1);
        }
        execv(words[0], words.data());
        std::perror("standInDaemon: exec");
        _exit(127);
    }
    std::printf("window %s hack %d\n", id, static_cast<int>(hack));
    std::fflush(stdout);
    int status = 0;
    while (waitpid(hack, &status, 0) < 0) {
    }
    XDestroyWindow(connection, window);
    XCloseDisplay(connection);
    if (WIFSIGNALED(status)) {
        std::printf("hack killed by signal %d\n", WTERMSIG(status));
        return 128 + WTERMSIG(status);
    }
    std::printf("hack ended with status %d\n", WEXITSTATUS(status));
    return WEXITSTATUS(status);
}
