// The system's one way of dealing with an error: release the display, say why, end.
#pragma once

#include "platform/win32.h"

// Returns at once when result is 0; otherwise ends the program with
// "DirectDraw error %08X @ %d" naming the result and the site.
void checkDirectDraw(int site, HRESULT result);

// Releases the display objects, writes the text to standard error, shows it in a message box
// and ends the process with exit status 1.
[[noreturn]] void fatalError(const char* text);

// A line written to standard error before the text of any fatal error from now on, or none
// (null or empty): what a user needs to connect the error to its cause.
void setFatalErrorNote(const char* note);

// Releases the primary, back and layer surfaces, the palette object and the DirectDraw object
// that exist, and forgets them, so that nothing released can be reached again.
void releaseDisplayObjects();
