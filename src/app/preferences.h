// The two-line preferences file beside the program: resolution and drift speed.
#pragma once

extern float speedPreference;

// The file's path in the current folder.
extern const char* const preferencesPath;

// Reads the file into display.screenWidth, display.screenHeight and speedPreference, or
// creates it with the defaults 800 x 600 and 20.0.
void loadPreferences();
