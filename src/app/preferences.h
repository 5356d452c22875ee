// The two-line preferences file beside the program: resolution and drift speed.
#pragma once

extern float speedPreference;

// The file's path: in the current folder, unless a screensaver mode has moved it (the working
// folder of a screensaver is the system's).
extern const char* preferencesPath;

// Reads the file into display.screenWidth, display.screenHeight and speedPreference, or
// creates it with the defaults 800 x 600 and 20.0. The file's lines are fixed as
// "Resolution: %dx%d" and "Speed: %f", so its numbers are read as those conversions read them
// (util/numberText's formatted reading: a '+' is allowed, the speed may be followed by
// anything), not by the options' strict rules. A number that does not fit its type counts
// as unreadable, and so does a speed that is not finite; a speed that cannot be used is
// reported on standard error. Something other than a regular file in the file's place counts
// as missing, and is not written over.
void loadPreferences();

// One line naming the file, the resolution read from it and what was expected, for the case
// that the display cannot be opened at that resolution; empty before loadPreferences.
const char* preferencesResolutionNote();

// A resolution and speed a settings dialog may write: 1..16384 pixels each way, a finite speed
// from 0 to 1000.
bool validPreferences(int width, int height, float speed);

// Writes the two lines to preferencesPath; false when the file cannot be written.
bool savePreferences(int width, int height, float speed);

// Moves preferencesPath into the user's application-data folder (%APPDATA%\Quarnel\prefs.txt),
// making the Quarnel folder when it is missing. False, with the path left as it was, when
// there is no such folder to use.
bool useApplicationDataPreferences();
