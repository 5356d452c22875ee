// The two-line preferences file beside the program: resolution and drift speed.
#pragma once

extern float speedPreference;

// The file's path in the current folder.
extern const char* const preferencesPath;

// Reads the file into display.screenWidth, display.screenHeight and speedPreference, or
// creates it with the defaults 800 x 600 and 20.0. A number that does not fit its type counts
// as unreadable, and so does a speed that is not finite; a speed that cannot be used is
// reported on standard error. Something other than a regular file in the file's place counts
// as missing, and is not written over.
void loadPreferences();

// One line naming the file, the resolution read from it and what was expected, for the case
// that the display cannot be opened at that resolution; empty before loadPreferences.
const char* preferencesResolutionNote();
