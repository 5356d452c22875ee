#include "window/fatalError.h"

#include "record/displayState.h"
#include "record/objectRelease.h"

#include <cstdio>
#include <cstdlib>

static const char fatalCaption[] = "Oh sod it";
static const char* fatalErrorNote;

void setFatalErrorNote(const char* note) {
    fatalErrorNote = note;
}

void checkDirectDraw(int site, HRESULT result) {
    if (result == 0) {
        return;
    }
    char text[100];
    std::snprintf(text, sizeof text, "DirectDraw error %08X @ %d", (unsigned)(uint32_t)result,
                  site);
    fatalError(text);
}

void fatalError(const char* text) {
    releaseDisplayObjects();
    // Written before the box, which waits for the user: a run without a screen (or one whose
    // box never gets answered) still says why it ended.
    if (fatalErrorNote != nullptr && fatalErrorNote[0] != '\0') {
        std::fprintf(stderr, "%s\n", fatalErrorNote);
    }
    std::fprintf(stderr, "%s: %s\n", fatalCaption, text);
    std::fflush(stderr);
    MessageBoxA(nullptr, text, fatalCaption, MB_ICONERROR | MB_SETFOREGROUND);
    PostQuitMessage(0);
    // A failure is not a success: the quit paths exit 0, this one does not.
    std::exit(1);
}

void releaseDisplayObjects() {
    releaseAndForget(display.primarySurface);
    releaseAndForget(display.backSurface);
    releaseAndForget(display.layerSurface);
    // The palette goes too, before its DirectDraw object: a reference to an object whose
    // owner is gone must not survive.
    releaseAndForget(display.paletteObject);
    releaseAndForget(display.directDraw);
    // The memory behind these went with the surfaces.
    display.backBuffer = nullptr;
    display.layerBuffer = nullptr;
    display.frontBuffer = nullptr;
}
